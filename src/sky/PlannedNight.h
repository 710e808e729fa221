#pragma once

#include "sky/SkyPlaces.h"

#include <QDate>
#include <QString>
#include <QTimeZone>

//! A night as Tonight plans it, for the windows that plan in it: the place, the night from 12:00
//! of the date to 12:00 of the next day on the zone's clock, and the lowest altitude.
struct PlannedNight
{
    Place Where;
    double Start = 0; //!< UTC, POSIX seconds
    double End = 0;
    QDate Date;
    QTimeZone Zone;
    int LowestAltitude = 0;
    QString Latitude, Longitude; //!< as typed

    bool operator==(const PlannedNight& other) const
    {
        return Where.Latitude == other.Where.Latitude && Where.Longitude == other.Where.Longitude && Start == other.Start
               && End == other.End && Zone == other.Zone && LowestAltitude == other.LowestAltitude
               && Latitude == other.Latitude && Longitude == other.Longitude;
    }
};
