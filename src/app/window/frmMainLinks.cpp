// The link labels: the program's home page, the device maker's site and the installed
// version history page.
#include "app/window/frmMain.h"

#include "app/column/ClickLabel.h"
#include "app/program/Desktop.h"
#include "browser/Process.h"

#include <QCoreApplication>
#include <QDir>

namespace quenloft {

namespace {

const QString kHomePage = QStringLiteral("https://quenloft.example/");
const QString kMakerSite = QStringLiteral("https://halvorn.example/");

} // namespace

void frmMain::wireLinks()
{
    connect(m_lblAbout, &ClickLabel::clicked, this, [this] { openLink(kHomePage); });
    connect(m_lblHalvorn, &ClickLabel::clicked, this, [this] { openLink(kMakerSite); });
    connect(m_lblHalvornCopyright, &ClickLabel::clicked, this, [this] { openLink(kMakerSite); });
    connect(m_lblVersionHistory, &ClickLabel::clicked, this, [this] {
        const QString page =
            QDir::toNativeSeparators(VersionHistoryPath(QCoreApplication::applicationDirPath()));
        openLink(u'"' + page + u'"');
    });
}

void frmMain::openLink(const QString &target)
{
    if (const OpenOutcome opened = OpenWithDesktop(target); opened != OpenOutcome::Opened)
        prompter().message(this,
                           QStringLiteral("Shell [") + target + QStringLiteral("] failed!") +
                               OpenFailureNote(opened),
                           PromptIcon::Stop);
}

} // namespace quenloft
