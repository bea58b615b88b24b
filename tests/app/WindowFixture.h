// A real frmMain on the offscreen platform, with its prompts answered by a script, its
// controls found by name, and run files of both models in a temporary folder.
#pragma once

#include "ScriptedPrompter.h"
#include "WindowControls.h"
#include "app/window/frmMain.h"
#include "browser/lists/PathWatch.h"
#include "fixtures/QtPrinters.h"
#include "fixtures/RunFileBuilder.h"
#include "fixtures/TestFiles.h"

#include <QApplication>
#include <QFile>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace quenloft::testing {

class WindowTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        window.setPrompter(std::make_unique<ScriptedPrompter>(script));
        window.show();
        QApplication::setActiveWindow(&window);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    }

    QString write(const QString &name, const QByteArray &bytes)
    {
        const QString path = dir.filePath(name);
        EXPECT_TRUE(fixtures::writeFile(path, bytes)) << path.toStdString();
        return path;
    }

    static QByteArray read(const QString &path) { return fixtures::readFile(path); }

    // A version 2.0 Nox file with both names, a weight, three records and notes: every
    // Nox field has a value to show, change or speak.
    static QByteArray filledNoxFile()
    {
        return fixtures::NoxFileBuilder()
            .version("2.0")
            .runName("Pass 1")
            .vehicleName("Civic")
            .weight(2650)
            .records(3, 8)
            .notes("Old notes here")
            .build();
    }

    // Selects `name` in the file list and loads it, as a click in the list does.
    bool select(const QString &name) { return window.showRunFile(dir.filePath(name)); }

    bool load(const QString &name, const QByteArray &bytes)
    {
        write(name, bytes);
        return select(name);
    }

    void click(QWidget *widget) { QTest::mouseClick(widget, Qt::LeftButton); }

    // Opens a field's editor by clicking its label, types `text` over the selection and
    // leaves it by giving the focus to the notes box.
    void enter(ClickLabel *label, FieldEditor *editor, const QString &text)
    {
        click(label);
        EXPECT_TRUE(editor->isVisible());
        EXPECT_EQ(QApplication::focusWidget(), editor);
        QTest::keyClicks(editor, text);
        ui.txtVehicleNotes->setFocus(Qt::MouseFocusReason);
    }
    void enter(FieldId id, const QString &text) { enter(ui.label(id), ui.editor(id), text); }

    // The command and editor states as a compact text: Edit, Undo, Save, editors,
    // lblUnits, notes locked.
    QString state() const
    {
        auto bit = [](bool b) { return b ? QStringLiteral("1") : QStringLiteral("0"); };
        return bit(ui.cmdEdit->isEnabled()) + bit(ui.cmdUndo->isEnabled()) +
               bit(ui.cmdSave->isEnabled()) + bit(ui.editor(FieldId::Weight)->isEnabled()) +
               bit(ui.lblUnits->isEnabled()) + bit(ui.txtVehicleNotes->isReadOnly());
    }

    QTemporaryDir dir;
    ScriptedPrompter::Script script;
    frmMain window;
    WindowControls ui{window};
};

// State texts for WindowTest::state().
inline const QString kNoFile = QStringLiteral("000011");
inline const QString kFileShown = QStringLiteral("100011");
inline const QString kEditingUnchangedNox = QStringLiteral("010100");
inline const QString kEditingChangedNox = QStringLiteral("011100");
inline const QString kEditingUnchangedSolvane = QStringLiteral("010101");
inline const QString kEditingChangedSolvane = QStringLiteral("011101");

} // namespace quenloft::testing
