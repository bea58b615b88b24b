#include "runfile/Model.h"

namespace quenloft {

QString ModelName(Model model)
{
    return model == Model::Nox ? QStringLiteral("Nox") : QStringLiteral("Solvane");
}

Model ModelFromFileName(const QString &fileName)
{
    return fileName.right(3).toUpper() == u"KVP" ? Model::Nox : Model::Solvane;
}

bool IsRunFileName(const QString &fileName)
{
    return fileName.endsWith(u".kvp", Qt::CaseInsensitive) ||
           fileName.endsWith(u".kvs", Qt::CaseInsensitive);
}

} // namespace quenloft
