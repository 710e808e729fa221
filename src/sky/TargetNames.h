#pragma once

#include "sky/TargetFinder.h"

#include <QString>

#include <optional>

//! The name a job keeps a target under: "moon-jupiter" (Job::MoonAndJupiter) for none, the
//! catalogue's entry of an object ("NGC7000", "B033"), or a point's two coordinates in full
//! ("RA 5.5881389h, Dec -5.3911111°", which the target box reads too).
QString TargetName(const std::optional<SkyTarget>& target);

//! What a job's target name stands for.
struct NamedTarget
{
    bool Known = false; //!< false for an entry the catalogue does not hold or marks non-existent
    std::optional<SkyTarget> Target; //!< none for the Moon and Jupiter
};

//! Reads a name TargetName wrote. A duplicate's entry names the object it duplicates. Reads the
//! catalogue unless the name is the Moon and Jupiter's.
NamedTarget TargetNamed(const QString& name);
