// What the window's Save and load do about saves that fail: a save cut short is put back
// on the next load, notes left alone stay byte for byte, and a value that would be stored
// as nothing is refused with the reason.
#include "WindowFixture.h"

#include "runfile/PatchWriter.h"
#include "runfile/RunFileLayout.h"

using namespace quenloft;
using namespace quenloft::fixtures;
using namespace quenloft::testing;

namespace {

class Saving : public WindowTest
{
};

TEST_F(Saving, ASaveCutShortIsPutBackWhenTheFileIsLoadedAgain)
{
    const QByteArray original = NoxFileBuilder().records(2, 8).notes("notes").build();
    const QString path = write(QStringLiteral("cut.kvp"), original);
    SaveOptions options;
    options.stopAfter = [](SaveStep step) { return step == SaveStep::Synced; };
    (void)WritePatchesToFile(path, StampOfPath(path).value(),
                             {{NoxLayout::Weight.offset, "\x03\xE8", QStringLiteral("weight")}},
                             options);
    ASSERT_NE(read(path), original);

    ASSERT_TRUE(select(QStringLiteral("cut.kvp")));
    ASSERT_EQ(script.prompts.size(), 1);
    EXPECT_TRUE(script.prompts[0].text.contains(QStringLiteral("cut short")));
    EXPECT_EQ(script.prompts[0].icon, PromptIcon::Information);
    EXPECT_EQ(read(path), original);
    EXPECT_EQ(ui.label(FieldId::Weight)->text(), QString::number(0x0BB8)) << "the original";

    // The message about a Solvane file comes up over the Solvane look, not the last file's.
    const QString solvane = write(QStringLiteral("cut.kvs"), SolvaneFileBuilder().build());
    (void)WritePatchesToFile(solvane, StampOfPath(solvane).value(),
                             {{SolvaneLayout::Weight.offset, "\x03\xE8", QStringLiteral("weight")}},
                             options);
    script.prompts.clear();
    bool solvaneLook = false;
    script.onPrompt = [&] {
        solvaneLook =
            window.backgroundPicture().cacheKey() == ui.imageSolvane->pixmap().cacheKey() &&
            ui.caption(FieldId::RunName)->text() == QStringLiteral("Run Date:") &&
            ui.caption(FieldId::FrontalArea)->isVisible();
    };
    ASSERT_TRUE(select(QStringLiteral("cut.kvs")));
    ASSERT_EQ(script.prompts.size(), 1);
    EXPECT_TRUE(solvaneLook);
}

TEST_F(Saving, NotesLeftAloneAreNotWrittenAndAValueStoredAsNothingIsRefused)
{
    const QByteArray nox =
        NoxFileBuilder().records(2, 8).notes(QByteArray("A\r\n\r\nB\0C\n", 9)).build();
    const QString noxPath = write(QStringLiteral("notes.kvp"), nox);
    ASSERT_TRUE(select(QStringLiteral("notes.kvp")));
    click(ui.cmdEdit);
    enter(FieldId::Weight, QStringLiteral("1000"));
    click(ui.cmdSave);
    EXPECT_EQ(script.prompts.size(), 0);
    QByteArray expected = nox;
    expected.replace(NoxLayout::Weight.offset, 2, QByteArray("\x03\xE8", 2));
    EXPECT_EQ(read(noxPath), expected);

    const QString solvanePath = write(QStringLiteral("tiny.kvs"), SolvaneFileBuilder().build());
    const QByteArray before = read(solvanePath);
    ASSERT_TRUE(select(QStringLiteral("tiny.kvs")));
    click(ui.cmdEdit);
    enter(FieldId::Weight, QStringLiteral("1"));
    click(ui.cmdSave);
    ASSERT_EQ(script.prompts.size(), 1);
    EXPECT_TRUE(script.prompts[0].text.startsWith(QStringLiteral("Error saving the VEXA file!")));
    EXPECT_TRUE(script.prompts[0].text.contains(QStringLiteral("smallest weight")));
    EXPECT_EQ(read(solvanePath), before);
}

} // namespace
