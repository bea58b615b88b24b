#include "runfile/PatchWriter.h"

namespace quenloft {
namespace {

class FilePatchTarget final : public PatchTarget
{
public:
    explicit FilePatchTarget(NativeFile &file) : m_file(file) {}
    Result<qint64> readAt(qint64 offset, char *buffer, qint64 length) override
    {
        return m_file.readAt(offset, buffer, length);
    }
    Result<Done> writeAt(qint64 offset, const QByteArray &bytes) override
    {
        return m_file.writeAt(offset, bytes.constData(), bytes.size());
    }
    Result<Done> truncate(qint64 size) override { return m_file.truncate(size); }
    Result<Done> sync() override { return m_file.sync(); }

private:
    NativeFile &m_file;
};

Failure describe(const Failure &failure, const QString &doing)
{
    return Failure{failure.number, QStringLiteral("%1 failed: error %2 (%3)")
                                       .arg(doing)
                                       .arg(failure.number)
                                       .arg(failure.description)};
}

} // namespace

Result<Done> ApplyPatches(PatchTarget &target, qint64 fileSize, const QList<Patch> &patches)
{
    struct Saved
    {
        qint64 offset;
        QByteArray bytes;
    };
    QList<Saved> saved;
    bool grew = false;

    auto rollBack = [&] {
        for (auto it = saved.crbegin(); it != saved.crend(); ++it)
            (void)target.writeAt(it->offset, it->bytes);
        if (grew)
            (void)target.truncate(fileSize);
        (void)target.sync();
    };

    for (const Patch &patch : patches) {
        const qint64 existing = qBound<qint64>(0, fileSize - patch.offset, patch.bytes.size());
        QByteArray old(existing, Qt::Uninitialized);
        if (existing > 0) {
            const auto n = target.readAt(patch.offset, old.data(), existing);
            if (!n || n.value() != existing) {
                rollBack();
                return n ? Failure{30, QStringLiteral("Reading the old %1 failed: the file is "
                                                      "shorter than expected")
                                           .arg(patch.field)}
                         : describe(n.failure(),
                                    QStringLiteral("Reading the old %1").arg(patch.field));
            }
        }
        const auto written = target.writeAt(patch.offset, patch.bytes);
        // Saved before checking the result: a failed write may have changed some bytes.
        saved.append({patch.offset, old});
        grew = grew || patch.offset + patch.bytes.size() > fileSize;
        if (!written) {
            rollBack();
            return describe(written.failure(), QStringLiteral("Writing the %1").arg(patch.field));
        }
    }
    const auto synced = target.sync();
    if (!synced) {
        rollBack();
        return describe(synced.failure(), QStringLiteral("Saving the file to disk"));
    }
    return Done{};
}

Result<FileStamp> WritePatchesToFile(const QString &path, const FileStamp &expected,
                                     const QList<Patch> &patches)
{
    auto file = NativeFile::open(path, NativeFile::Mode::ReadWriteExisting);
    if (!file)
        return describe(file.failure(), QStringLiteral("Opening the file for writing"));
    const auto locked = file->lockExclusive();
    if (!locked)
        return Failure{locked.failure().number,
                       QStringLiteral("The file is locked by another program (error %1: %2); "
                                      "close it there and save again")
                           .arg(locked.failure().number)
                           .arg(locked.failure().description)};
    const auto before = file->stamp();
    if (!before)
        return describe(before.failure(), QStringLiteral("Examining the file"));
    if (!(before.value() == expected))
        return Failure{FileChangedOnDisk,
                       QStringLiteral("The file changed on disk since it was loaded; load it "
                                      "again before saving, so no new data is overwritten")};
    FilePatchTarget target(file.value());
    const auto applied = ApplyPatches(target, before->size, patches);
    if (!applied)
        return applied.failure();
    const auto after = file->stamp();
    if (!after)
        return describe(after.failure(), QStringLiteral("Examining the saved file"));
    return after.value();
}

} // namespace quenloft
