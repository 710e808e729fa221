#include "sky/TargetNames.h"

#include "job/JobParts.h"

QString TargetName(const std::optional<SkyTarget>& target)
{
    if (!target)
        return QString::fromLatin1(Job::MoonAndJupiter);
    if (target->Object)
        return QString::fromUtf8(target->Object->Entry());
    // Seven decimals: a hundredth of a second of arc, so that the point reads back as it was.
    return QStringLiteral("RA %1h, Dec %2\u00B0")
        .arg(target->Position.RightAscension, 0, 'f', 7)
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
