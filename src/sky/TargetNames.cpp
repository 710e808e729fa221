#include "sky/TargetNames.h"

#include "job/JobParts.h"

#include <cmath>

QString TargetName(const std::optional<SkyTarget>& target)
{
    if (!target)
        return QString::fromLatin1(Job::MoonAndJupiter);
    if (target->Object)
        return QString::fromUtf8(target->Object->Entry());
    // Seven decimals: a hundredth of a second of arc, so that the point reads back as it was;
    // a right ascension that rounds to 24h is 0h, which the box reads.
    const double hours = std::round(target->Position.RightAscension * 1e7) / 1e7;
    return QStringLiteral("RA %1h, Dec %2\u00B0")
        .arg(hours >= 24 ? hours - 24 : hours, 0, 'f', 7)
        .arg(target->Position.Declination, 0, 'f', 7);
}

NamedTarget TargetNamed(const QString& name)
{
    if (name == QLatin1String(Job::MoonAndJupiter))
        return {true, std::nullopt};
    const std::string text = name.toStdString();
    if (const SkyObject* object = TheCatalogue().Find(text))
        return {true, TargetOf(*object)};
    const SkyPositionReading reading = ReadSkyPosition(text);
    if (!reading.Point)
        return {};
    const std::string listText = SkyPositionText(*reading.Point);
    return {true, SkyTarget{nullptr, *reading.Point, listText, listText}};
}
