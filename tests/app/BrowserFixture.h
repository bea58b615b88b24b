// A real, shown frmMain with its prompts answered by a script and its controls found by
// name, a temporary folder of run files, and a shell opener that records what it is
// handed.
#pragma once

#include "ScriptedPrompter.h"
#include "WindowControls.h"
#include "app/window/frmMain.h"
#include "browser/Process.h"
#include "fixtures/QtPrinters.h"
#include "fixtures/RunFileBuilder.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include <gtest/gtest.h>

namespace quenloft::testing {

class BrowserTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_previousOpener = SetShellOpener([this](const QUrl &target) {
            opened.append(target);
            return openerSucceeds ? OpenOutcome::Opened : OpenOutcome::Failed;
        });
        window.setPrompter(std::make_unique<ScriptedPrompter>(script));
        window.show();
        QApplication::setActiveWindow(&window);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    }
    void TearDown() override { SetShellOpener(m_previousOpener); }

    QString path(const QString &name) const { return dir.filePath(name); }
    QStringList files() const { return QDir(dir.path()).entryList(QDir::Files, QDir::Name); }

    static QByteArray goodFile()
    {
        return fixtures::NoxFileBuilder().version("2.0.3").vehicleName("Civic").notes("n").build();
    }
    void write(const QString &name, const QByteArray &bytes = goodFile())
    {
        QFile file(path(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    // Lists the temporary folder and selects `name` as a click would, which loads it.
    void pick(const QString &name)
    {
        ASSERT_TRUE(ui.fileKVP->setPath(dir.path()).ok());
        ASSERT_TRUE(ui.fileKVP->setFileName(name)) << name.toStdString();
    }

    // Open, Edit, Delete and Rename are always enabled together.
    bool commandsEnabled() const
    {
        const bool edit = ui.mnuFilePopupEdit->isEnabled();
        for (QAction *item : {ui.mnuFilePopupOpen, ui.mnuFilePopupDelete, ui.mnuFilePopupRename})
            EXPECT_EQ(item->isEnabled(), edit) << item->objectName().toStdString();
        return edit;
    }

    QTemporaryDir dir;
    ScriptedPrompter::Script script;
    frmMain window;
    WindowControls ui{window};
    QList<QUrl> opened;
    bool openerSucceeds = false;

private:
    ShellOpener m_previousOpener;
};

} // namespace quenloft::testing
