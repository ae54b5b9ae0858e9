#include "core/skinfilewriter.h"

#include "core/ansicodec.h"

#include <QSaveFile>

namespace velbrisk {

QString SkinFileFailure::message() const
{
    return reason;
}

std::optional<SkinFileFailure> WriteSkinFile(const QString &fileName, QStringView text)
{
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        return SkinFileFailure{fileName, 0, SkinFileFailure::Step::Create, file.errorString()};
    file.write(SkinFileBytes(text));
    file.commit();
    return std::nullopt;
}

std::optional<SkinFileFailure> WriteSkinFiles(const SkinBatch &batch)
{
    for (int n = 1; n <= SkinCount; ++n) {
        if (auto failure = WriteSkinFile(batch.fileName(n), batch.content(n))) {
            failure->skinNumber = n;
            return failure;
        }
    }
    return std::nullopt;
}

} // namespace velbrisk
