// The shown values of every field of a model, as the writer takes them.
#pragma once

#include "runfile/RunFileWriter.h"
#include "vehicle/Fields.h"

#include <QMap>
#include <QString>

namespace quenloft {

using Captions = QMap<FieldId, QString>;

[[nodiscard]] NoxShownValues NoxValuesFromCaptions(const Captions &captions, const QString &notes);
[[nodiscard]] SolvaneShownValues SolvaneValuesFromCaptions(const Captions &captions, bool metric);

// All patches for a save of the shown values of the loaded file.
[[nodiscard]] Result<QList<Patch>> ComputePatches(const Captions &captions, const QString &notes,
                                                  bool metric, const LoadedFileInfo &file);

} // namespace quenloft
