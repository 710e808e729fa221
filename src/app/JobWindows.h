#pragma once

#include "job/Job.h"
#include "field/SensorField.h"

#include <optional>

class TSensorFieldForm;
class TTonightForm;
class TDigitalCameraForm;

//! Jobs as the windows meet them: the job gathered from every window's own part, and a job put
//! back into them, each window taking its part itself, in the order the windows depend on one
//! another. Windows made on demand that do not exist yet keep their part waiting until they are
//! made; the set calls the Restore functions as it makes them.
namespace JobWindows {

//! Everything typed and picked now; a window never made gives its part as it would start, or
//! the part of an opened job that waits for it.
Job::Data CurrentJob();

//! Puts a job into every window with their change handlers blocked, restores the optical job,
//! sets the exposure calculator's boxes last and then recomputes what is made. Which windows
//! are shown does not change.
void ApplyJob(const Job::Data& job);

//! Gives a window made now the part of an opened job that waited for it, if any.
void RestoreInto(TSensorFieldForm* field);
void RestoreInto(TTonightForm* tonight);
void RestoreInto(TDigitalCameraForm* camera);

//! The sensor of an opened job's field part that waits for the field window: its preset's
//! place in the sensor list (-1 for the user's own sensor) and the sensor it gives, none where
//! its boxes do not read; and whether its target is an emission nebula, for the camera's
//! emission box, and the overlap of its mosaics. None when no field part waits.
struct WaitingSensor
{
    std::optional<Sensor> Model;
    int Preset = -1;
    bool EmissionTarget = false;
    int Overlap = 20; //!< of its mosaics, percent
};
std::optional<WaitingSensor> WaitingFieldSensor();

//! Forgets an opened job's waiting parts, as at start-up.
void Forget();

} // namespace JobWindows
