#pragma once

#include "job/Job.h"

//! The names a job may hold and the job of a program as it starts, from the program's own
//! tables: the telescope presets, the sensors, the catalogue and the windows' starting
//! texts. Built the first time it is asked for; the catalogue is read when a job names one of
//! its objects.
const Job::Vocabulary& JobVocabulary();
