#pragma once

#include "job/Job.h"

//! The names a job may hold and the job of a program as it starts, from the program's own
//! tables: the telescope presets, the sensors, the showpieces and the windows' starting
//! texts. Built the first time it is asked for; the showpieces' catalogue is read then.
const Job::Vocabulary& JobVocabulary();
