#!/usr/bin/python3
"""Writes the rows of tst_Night.cpp, tst_SkyPlaces.cpp and tst_TonightWindow.cpp that come from
an independent ephemeris: PyEphem 4.1.4 (Debian's python3-ephem, libastro: VSOP87 for the Sun
and Jupiter, ELP 2000-82 for the Moon; its refraction below 15 degrees is the Explanatory
Supplement's formula). Run it with Debian's own python3 and paste its output into the tests'
_data() functions; it is kept here only so that the rows can be made again.

The program's conventions, in ephem's terms: rise and set with the upper limb at -0:34 and no
refraction (pressure 0, use_center False); twilights with the centre at -6, -12, -18 degrees
(use_center True); shown altitudes refracted for 1010 hPa and 10 C.
"""
import math
from datetime import datetime, timedelta, timezone
from zoneinfo import ZoneInfo

import ephem

J2000 = ephem.J2000


def observer(lat, lon, pressure=0.0):
    o = ephem.Observer()
    o.lat, o.lon, o.elevation = str(lat), str(lon), 0
    o.pressure, o.temp = pressure, 10.0
    return o


def iso(d):
    # To the nearest second: ephem's dates are floating-point days.
    return ephem.Date(round(float(d) * 86400) / 86400).datetime().strftime('%Y-%m-%dT%H:%M:%SZ')


def target_body(target):
    if target == 'Jupiter':
        return ephem.Jupiter()
    star = ephem.FixedBody()
    star._ra, star._dec, star._epoch = ephem.degrees(str(target[0])), ephem.degrees(str(target[1])), J2000
    return star


def passes(o, body, start, end, horizon, center):
    """Every set and rise of the body within [start, end], in order, as (time, rising)."""
    found = []
    o.horizon = horizon
    for method, rising in ((o.next_setting, False), (o.next_rising, True)):
        d = start
        while True:
            try:
                t = method(body, start=d, use_center=center)
            except (ephem.AlwaysUpError, ephem.NeverUpError):
                break
            if t >= end:
                break
            found.append((float(t), rising))
            d = ephem.Date(t + ephem.minute)
    return sorted(found)


def above_at(o, body, when, horizon, center):
    o.date = when
    body.compute(o)
    limb = 0 if center else body.radius
    return body.alt + limb > ephem.degrees(horizon)


def sun_words(o, start, end, horizon, center):
    """Dusk and dawn as the night's row means them: the longest span below the level."""
    events = passes(o, ephem.Sun(), start, end, horizon, center)
    below_at_start = not above_at(o, ephem.Sun(), start, horizon, center)
    spans, since = [], (float(start) if below_at_start else None)
    for t, rising in events:
        if not rising and since is None:
            since = t
        elif rising and since is not None:
            spans.append((since, t))
            since = None
    if since is not None:
        spans.append((since, float(end)))
    if not spans:
        return ['above', 'above']
    night = max(spans, key=lambda s: s[1] - s[0])
    if night[0] <= float(start) and night[1] >= float(end):
        return ['below', 'below']
    return [iso(night[0]) if night[0] > float(start) else '', iso(night[1]) if night[1] < float(end) else '']


NIGHTS = [
    # name, latitude, longitude, start (UTC, local noon), target (ICRS degrees) or Jupiter
    ('Paris, new Moon, March', 48.8566, 2.3522, '2024/3/10 11:50', (83.8221, -5.3911)),
    ('Paris, June: never dark', 48.8566, 2.3522, '2024/6/20 11:50', (279.2347, 38.7837)),
    ('Sydney, July, Jupiter', -33.87, 151.21, '2024/7/15 01:55', 'Jupiter'),
    ('equator, September', 0.0, 0.0, '2023/9/23 12:00', (279.2347, 38.7837)),
    ('60 N, June: civil only', 60.17, 24.94, '2025/6/1 10:20', (213.9153, 19.1824)),
    ('Edinburgh, June: no nautical dark', 55.95, -3.19, '2024/6/21 12:13', (279.2347, 38.7837)),
    ('64 N, December', 64.15, -21.94, '2024/12/21 13:28', (37.9529, 89.2641)),
    ('64 S, June: a short day', -64.77, -64.05, '2024/6/21 16:16', (95.9880, -52.6957)),
    ('70 N, June: midnight Sun', 69.65, 18.96, '2024/6/20 10:44', (279.2347, 38.7837)),
    ('70 N, December: polar night', 69.65, 18.96, '2024/12/20 10:44', (279.2347, 38.7837)),
    ('Paris, 1900', 48.8566, 2.3522, '1900/1/15 11:50', (88.7929, 7.4071)),
    ('Sydney, 2100', -33.87, 151.21, '2100/11/20 01:55', 'Jupiter'),
    ('Cape Town, full Moon', -33.92, 18.42, '2025/3/13 10:46', (201.2983, -11.1613)),
    ('Los Angeles, Canopus culminating low', 34.0522, -118.2437, '2025/1/15 19:53', (95.9880, -52.6957)),
]


def night_row(name, lat, lon, start, target):
    start = ephem.Date(start)
    end = ephem.Date(start + 1)
    o = observer(lat, lon)
    sun = sun_words(o, start, end, '-0:34', False)
    for level in ('-6', '-12', '-18'):
        sun += sun_words(o, start, end, level, True)
    moon = ['%s %s' % ('rises' if r else 'sets', iso(t)) for t, r in passes(o, ephem.Moon(), start, end, '-0:34', False)]
    if not moon:
        moon = ['up all night' if above_at(o, ephem.Moon(), start, '-0:34', False) else 'down all night']
    # Transits with the refracted altitude, and the spans above 30 degrees, refracted.
    r = observer(lat, lon, 1010.0)
    body = target_body(target)
    transits, d = [], start
    while True:
        r.date = d
        t = r.next_transit(body, start=d)
        if t is None or t >= end:
            break
        r.date = t
        body.compute(r)
        transits.append('%s %.2f' % (iso(t), math.degrees(body.alt)))
        d = ephem.Date(t + ephem.minute)
    above = ['%s %s' % ('rises' if rr else 'sets', iso(t)) for t, rr in passes(r, body, start, end, '30', True)]
    if not above:
        above = ['all night' if above_at(r, body, start, '30', True) else 'never']
    tgt = 'Jupiter' if target == 'Jupiter' else '%.4f, %.4f' % target
    lines = ['    QTest::newRow("%s") << %s << %s << "%s" << Target{%s}' % (
        name, lat, lon, iso(start), 'true' if target == 'Jupiter' else 'false, ' + tgt)]
    for label, items in (('sun', sun), ('moon', moon), ('transits', transits), ('above', above)):
        lines.append('        << QStringList{%s}' % ', '.join('"%s"' % i for i in items))
    print('\n'.join(lines) + ';')


def place_row(name, lat, lon, when, body_name, target):
    o = observer(lat, lon)
    r = observer(lat, lon, 1010.0)
    o.date = r.date = when
    body = {'Sun': ephem.Sun, 'Moon': ephem.Moon}.get(body_name, lambda: target_body(target))()
    body.compute(o)
    alt, az = math.degrees(body.alt), math.degrees(body.az)
    body.compute(r)
    refracted = math.degrees(body.alt)
    print('    QTest::newRow("%s") << %s << %s << "%s" << %s << %.3f << %.3f << %.3f;' % (
        name, lat, lon, iso(o.date), '"%s"' % body_name, alt, refracted, az))


def moon_row(name, lat, lon, when, target):
    o = observer(lat, lon)
    o.date = when
    moon, sun, star = ephem.Moon(), ephem.Sun(), target_body(target)
    for b in (moon, sun, star):
        b.compute(o)
    # Waxing while the Moon's ecliptic longitude runs 0 to 180 degrees ahead of the Sun's.
    ahead = (ephem.Ecliptic(moon).lon - ephem.Ecliptic(sun).lon) % (2 * math.pi)
    print('    QTest::newRow("%s") << %s << %s << "%s" << Target{false, %.4f, %.4f} << %.2f << %s << %.2f;' % (
        name, lat, lon, iso(o.date), target[0], target[1], 100 * moon.moon_phase,
        'true' if ahead < math.pi else 'false', math.degrees(ephem.separation(moon, star))))


def above_words(o, body, start, end, level):
    """The body's passes of `level` degrees, refracted, within [start, end]; 'all night' or
    'never' for none."""
    words = ['%s %s' % ('rises' if r else 'sets', iso(t)) for t, r in passes(o, body, start, end, level, True)]
    return words or ['all night' if above_at(o, body, start, level, True) else 'never']


def low_row(name, lat, lon, start, target, level):
    """A night's passes of a lowest altitude near the horizon, where refraction models part."""
    start = ephem.Date(start)
    words = above_words(observer(lat, lon, 1010.0), target_body(target), start, ephem.Date(start + 1), str(level))
    tgt = 'true' if target == 'Jupiter' else 'false, %.4f, %.4f' % target
    print('    QTest::newRow("%s") << %s << %s << "%s" << Target{%s} << %.1f\n        << QStringList{%s};' % (
        name, lat, lon, iso(start), tgt, level, ', '.join('"%s"' % w for w in words)))


def almanac_refraction(apparent, pressure=1010.0, temperature=10.0):
    """The Explanatory Supplement's refraction for an apparent altitude below 15 degrees, as
    libastro takes it: degrees."""
    a = apparent
    return (0.1594 + 0.0196 * a + 0.00002 * a * a) * pressure / ((1 + 0.505 * a + 0.0845 * a * a) * (273 + temperature))


def refraction_row(geometric):
    """The refraction that brings a body seen at some altitude down to `geometric`, arcminutes."""
    apparent = geometric
    for _ in range(100):
        apparent = geometric + almanac_refraction(apparent)
    print('    QTest::newRow("%s") << %s << %.2f;' % (
        'seen on the horizon' if abs(apparent) < 1e-3 else '%g degree%s' % (geometric, '' if geometric == 1 else 's'),
        float(geometric), 60 * (apparent - geometric)))


def horizon_refraction_row():
    """A body seen on the horizon, at minus the refraction there."""
    refraction_row(round(-almanac_refraction(0.0), 4))


# The window's nights: noon to noon on the zone's clock.
def clock_moment(date, hour, zone):
    """A moment on the zone's clock, UTC; where the clock skipped it, the first after it."""
    z = ZoneInfo(zone)
    local = datetime.combine(date, datetime.min.time()).replace(hour=hour, tzinfo=z)
    first = local.replace(fold=0).astimezone(timezone.utc)
    if first.astimezone(z).replace(tzinfo=None) == local.replace(tzinfo=None):
        return first
    # In a gap, where fold 0 reads the clock on the offset before it and fold 1 on the offset
    # after: the clock comes back at the transition between the two, where the offset changes.
    early, late = local.replace(fold=1).astimezone(timezone.utc), first
    while (late - early).total_seconds() > 1:
        middle = early + (late - early) / 2
        if middle.astimezone(z).utcoffset() == late.astimezone(z).utcoffset():
            late = middle
        else:
            early = middle
    return late


def edate(utc):
    return ephem.Date(utc.strftime('%Y/%m/%d %H:%M:%S'))


def clock_text(t, zone):
    """A moment as the window writes it: to the nearest minute on the zone's clock."""
    utc = ephem.Date(t).datetime().replace(tzinfo=timezone.utc)
    utc = datetime.fromtimestamp(round(utc.timestamp() / 60) * 60, timezone.utc)
    return utc.astimezone(ZoneInfo(zone)).strftime('%H:%M')


def window_night(date, zone):
    d = datetime.strptime(date, '%Y-%m-%d').date()
    return edate(clock_moment(d, 12, zone)), edate(clock_moment(d + timedelta(days=1), 12, zone))


def above_text(lat, lon, date, zone, target, level):
    """The window's "Above" row."""
    start, end = window_night(date, zone)
    o, body = observer(lat, lon, 1010.0), target_body(target)
    found = passes(o, body, start, end, str(level), True)
    if not found:
        return 'all night' if above_at(o, body, start, str(level), True) else 'never'
    spans, since = [], (start if above_at(o, body, start, str(level), True) else None)
    for t, rising in found:
        if rising:
            since = t
        else:
            spans.append((since, t))
            since = None
    if since is not None:
        spans.append((since, end))
    texts = ['%s to %s' % (clock_text(a, zone), clock_text(b, zone)) for a, b in spans]
    moments = ', '.join('%s %s' % ('rises' if r else 'sets', iso(t)) for t, r in found)
    return ' and '.join([', '.join(texts[:-1]), texts[-1]] if len(texts) > 1 else texts) + ' (' + moments + ')'


def sunset_text(lat, lon, date, zone):
    """The window's "Sunset / sunrise" row."""
    start, end = window_night(date, zone)
    words = sun_words(observer(lat, lon), start, end, '-0:34', False)
    if words[0] in ('above', 'below'):
        return 'the Sun does not set' if words[0] == 'above' else 'the Sun does not rise'
    return ' / '.join(clock_text(ephem.Date(datetime.strptime(w, '%Y-%m-%dT%H:%M:%SZ')), zone) if w else '\u2014'
                      for w in words)


def moon_light_texts(lat, lon, date, zone, target):
    """The window's Moon rows at midnight, the first moment of the next date."""
    d = datetime.strptime(date, '%Y-%m-%d').date() + timedelta(days=1)
    o = observer(lat, lon)
    o.date = edate(clock_moment(d, 0, zone))
    moon, sun, star = ephem.Moon(), ephem.Sun(), target_body(target)
    for b in (moon, sun, star):
        b.compute(o)
    ahead = (ephem.Ecliptic(moon).lon - ephem.Ecliptic(sun).lon) % (2 * math.pi)
    return ('%.2f%%, %s' % (100 * moon.moon_phase, 'waxing' if ahead < math.pi else 'waning'),
            '%.2f' % math.degrees(ephem.separation(moon, star)))


if __name__ == '__main__':
    print('// nights')
    for n in NIGHTS:
        night_row(*n)
    print('// places')
    for p in [('Sun, Paris, afternoon', 48.8566, 2.3522, '2024/3/10 15:00', 'Sun', None),
              ('Moon, Sydney, low', -33.87, 151.21, '2024/7/15 14:00', 'Moon', None),
              ('Moon, 64 N, high', 64.15, -21.94, '2024/12/15 02:00', 'Moon', None),
              ('Jupiter, equator', 0.0, 0.0, '2023/9/23 23:00', 'Jupiter', 'Jupiter'),
              ('Vega, 60 N', 60.17, 24.94, '2025/6/1 22:00', 'Vega', (279.2347, 38.7837)),
              ('Canopus, 1900', -33.87, 151.21, '1900/3/1 14:00', 'Canopus', (95.9880, -52.6957)),
              ('Moon, 2100', 48.8566, 2.3522, '2100/6/10 22:00', 'Moon', None)]:
        place_row(*p)
    print('// moon light')
    for m in [('crescent', 48.8566, 2.3522, '2024/3/12 23:00', (83.8221, -5.3911)),
              ('first quarter', 48.8566, 2.3522, '2024/3/17 04:10', (83.8221, -5.3911)),
              ('half a day past full', -33.87, 151.21, '2025/3/14 19:00', (201.2983, -11.1613)),
              ('last quarter, waning', 0.0, 0.0, '2024/12/22 23:00', (37.9529, 89.2641)),
              ('near the target', 60.17, 24.94, '2024/12/20 22:00', (120.0, 22.0)),
              ('1900', 48.8566, 2.3522, '1900/1/16 23:00', (88.7929, 7.4071)),
              ('2100', -33.87, 151.21, '2100/11/21 12:00', (201.2983, -11.1613))]:
        moon_row(*m)
    print('// low lowest altitudes')
    m101, m33, m44, m1, m42 = (210.8023, 54.3489), (23.4620, 30.6602), (130.0925, 19.6720), (83.6332, 22.0145), (83.8187, -5.3897)
    for n in [('Kathmandu, M101, 0', 27.7172, 85.324, '2024/1/16 06:15', m101, 0),
              ('69 N, Jupiter, 0: no dip', 68.97, 33.09, '2024/6/21 09:00', 'Jupiter', 0),
              ('Sydney, M42, 0', -33.87, 151.21, '2025/1/15 01:55', m42, 0),
              ('Tromso, M44, 1', 69.65, 18.96, '2025/2/15 10:44', m44, 1),
              ('Paris, M42, 1', 48.8566, 2.3522, '2025/1/15 11:50', m42, 1),
              ('Helsinki, M33, 2', 60.17, 24.94, '2025/1/15 10:20', m33, 2),
              ('Helsinki, M33, 3', 60.17, 24.94, '2025/1/15 10:20', m33, 3),
              ('Tromso, M1, 3', 69.65, 18.96, '2025/2/15 10:44', m1, 3)]:
        low_row(*n)
    print('// refraction')
    horizon_refraction_row()
    for h in (0, 0.5, 1, 2, 3, 4, 5, 6, 10):
        refraction_row(h)
    print('// the window')
    for args in [(48.8566, 2.3522, '2026-10-24', 'Europe/Paris', m101, 30),
                 (48.8566, 2.3522, '2026-03-28', 'Europe/Paris', (10.6848, 41.2691), 30)]:
        print('above', args[2], args[3], above_text(*args))
    for args in [(48.8566, 2.3522, '2026-10-15', 'Europe/Paris', (10.6848, 41.2691)),
                 (23.1333, -82.3667, '2025-03-08', 'America/Havana', m42),
                 (-13.8333, -171.7333, '2011-12-29', 'Pacific/Apia', m42)]:
        print('moon', args[2], args[3], moon_light_texts(*args))
    for args in [(-13.8333, -171.7333, d, 'Pacific/Apia') for d in ('2011-12-28', '2011-12-29', '2011-12-30', '2011-12-31')] + \
                [(1.8667, -157.3333, d, 'Pacific/Kiritimati') for d in ('1994-12-30', '1994-12-31')]:
        print('sun', args[2], args[3], sunset_text(*args))
