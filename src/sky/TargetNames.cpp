#include "sky/TargetNames.h"

#include "job/JobParts.h"
#include "sky/Showpieces.h"

QString TargetName(int index)
{
    return index > 0 ? QString::fromStdString(Showpieces().at(static_cast<std::size_t>(index - 1)).Entry)
                     : QString::fromLatin1(Job::MoonAndJupiter);
}

int TargetIndex(const QString& name)
{
    const std::vector<Showpiece>& showpieces = Showpieces();
    for (std::size_t i = 0; i < showpieces.size(); ++i)
        if (name == QString::fromStdString(showpieces[i].Entry))
            return static_cast<int>(i) + 1;
    return 0;
}
