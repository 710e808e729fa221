#pragma once

#include <string>
#include <vector>

struct TOpticalJob;

//! The six configurations that have a detail window of their own (prime focus is finished by
//! the telescope window).
enum class ConfigurationKind { Teleconverter, Compression, Afocal, BarlowLens, EyepieceProjection, CameraLens };

//! The sentence with which a detail window refuses missing or unusable quantities.
const char* RefusalMessage(ConfigurationKind kind);

//! The work of a detail window's "Next >>" on the shared job, from its box texts given in the
//! window's read order. On success it writes EffectiveFocalLengthMm and a fresh
//! ConfigurationText (the camera-lens window also TelescopeFocalLengthMm and ApertureMm) and
//! returns true. A refusal returns false and leaves the job as it was, except that the camera
//! lens's focal length is stored as soon as it is read. Arithmetic errors are thrown.
bool CompleteOpticalJob(ConfigurationKind kind, const std::vector<std::string>& boxTexts, TOpticalJob& job);
