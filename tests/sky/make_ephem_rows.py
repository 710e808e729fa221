#!/usr/bin/python3
"""Writes the rows of tst_Night.cpp and tst_SkyPlaces.cpp that come from an independent
ephemeris: PyEphem 4.1.4 (Debian's python3-ephem, libastro: VSOP87 for the Sun and Jupiter,
ELP 2000-82 for the Moon). Run it with Debian's own python3 and paste its output into the
tests' _data() functions; it is kept here only so that the rows can be made again.

The program's conventions, in ephem's terms: rise and set with the upper limb at -0:34 and no
refraction (pressure 0, use_center False); twilights with the centre at -6, -12, -18 degrees
(use_center True); shown altitudes refracted for 1010 hPa and 10 C.
"""
import math
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
