#pragma once

#include <QString>

//! The targets of the field and Tonight windows' lists by the names a job keeps them under:
//! at 0 the Moon and Jupiter (Job::MoonAndJupiter), then the showpieces in the catalogue's
//! order by their catalogue entries.
QString TargetName(int index);
//! A target's place in the lists; 0, the Moon and Jupiter, for a name of none of them.
int TargetIndex(const QString& name);
