// The file dialogs' filters as the user reads them.
#include <gtest/gtest.h>
#include <QComboBox>
#include <QFileDialog>

#include "dialogs.h"
#include "documentsaver.h"
#include "qtprinters.h"

namespace {

struct FilterCase {
    widgets::WorkingWindow window;
    QStringList shown;
};

class SaveFilter : public testing::TestWithParam<FilterCase> {};

// Each description shows once, as written, and the dialog still knows its pattern.
TEST_P(SaveFilter, ShowsEveryDescriptionAsWritten) {
    QFileDialog dialog;
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setNameFilter(platform::qtFilter(output::saveFilter(GetParam().window)));
    const auto* types = dialog.findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
    ASSERT_NE(types, nullptr);
    QStringList shown;
    for (int i = 0; i < types->count(); ++i) {
        shown << types->itemText(i);
        EXPECT_EQ(platform::withDefaultExtension(QStringLiteral("/tmp/a"), types->itemText(i)),
                  "/tmp/a" + types->itemText(i).mid(types->itemText(i).lastIndexOf(u'.'), 4));
    }
    EXPECT_EQ(shown, GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(Windows, SaveFilter,
                         testing::Values(FilterCase{widgets::WorkingWindow::ManualInput,
                                                    {"Word文档(*.doc)", "rtf文件(*.rtf)"}},
                                         FilterCase{widgets::WorkingWindow::SmartAnnotation,
                                                    {"Word文档(*.doc)", "Rich Text FIle(*.rtf)"}},
                                         FilterCase{widgets::WorkingWindow::Batch,
                                                    {"Word文档(*.doc)", "Rich Text File(*.rtf)"}}));

TEST(OpenFilter, ADescriptionWithoutItsPatternGetsItInBrackets) {
    EXPECT_EQ(platform::qtFilter(QStringLiteral("文本文件(*.txt)|*.txt")), "文本文件(*.txt)");
    EXPECT_EQ(platform::qtFilter(QStringLiteral("Text|*.txt;*.lst|")), "Text (*.txt *.lst)");
}

}  // namespace
