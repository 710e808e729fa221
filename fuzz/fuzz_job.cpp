// The job file's reader on arbitrary bytes: it accepts a job or says why not in one sentence;
// whatever it accepts is kept whole, written and read back as the same job, and written again
// as the same bytes, so that opening and saving a job never changes it.

#include "FuzzChecks.h"

#include "app/JobVocabulary.h"
#include "job/Job.h"

#include <cstddef>
#include <cstdint>

namespace {

std::string Shown(const QByteArray& bytes)
{
    return bytes.left(2000).toStdString();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const auto read = Job::Read(bytes, JobVocabulary());
    if (const QString* refusal = std::get_if<QString>(&read)) {
        Expect(!refusal->isEmpty() && refusal->front().isUpper() && refusal->endsWith(QLatin1Char('.')),
               "a refusal is a sentence", refusal->toStdString());
        return 0;
    }
    const Job::Data& job = std::get<Job::Data>(read);
    Expect(Job::OverlongBox(job).isEmpty(), "an accepted job has no over-long box", Shown(bytes));

    const QByteArray written = Job::Write(job);
    const auto again = Job::Read(written, JobVocabulary());
    const QString* refusal = std::get_if<QString>(&again);
    Expect(refusal == nullptr, "a job written is read back", refusal ? refusal->toStdString() + "\n" + Shown(written) : std::string());
    Expect(std::get<Job::Data>(again) == job, "a job written is read back as the same job", Shown(written));
    Expect(Job::Write(std::get<Job::Data>(again)) == written, "a job read back is written as the same bytes", Shown(written));
    return 0;
}
