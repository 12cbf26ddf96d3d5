#include "workingwindows.h"

namespace widgets {
namespace {

constexpr WorkingWindowFacts kWindows[] = {
    {WorkingWindow::ManualInput, "Form1", "手动输入", "Label2",
     "    手动输入单词，手动输入音标。此项适合当您要求输入一些特殊而且可能并不常见的单词的音标时"
     "选用。此项同样具有音标与单词混合输入的功能、自动保存功能。",
     true, "lblbiaoti", "最小化", "Lblcls", "关闭", "Word文档(*.doc)|*.doc|rtf文件(*.rtf)|*.rtf|",
     true},
    {WorkingWindow::SmartAnnotation, "Frm3", "智能标注", "Label3",
     "    输入单词软件自动标注音标。此项适合绝大多数人。托福、大学英语六级以内等所见的10000单词，"
     "都可自动标注。同时具有音标与单词混合输入的功能、自动保存功能。",
     false, "Label3", "最小化窗口", "lblclose", "关闭窗口",
     "Word文档(*.doc)|*.doc|Rich Text FIle(*.rtf)|*.rtf|", true},
    {WorkingWindow::Batch, "Frm4", "批量标注", "Label4",
     "    选择一个已经保存了要批量标注音标的单词的文件，软件将自动为您标注音标。此项适合出版社、"
     "杂志社等用户，需要大量标注单词的场合。",
     true, "lblbiaoti", "最小化窗口", "lblclose", "关闭窗口",
     "Word文档(*.doc)|*.doc|Rich Text File(*.rtf)|*.rtf|", false},
    {WorkingWindow::Text, "Frm5", "文章标注", "Label6",
     "    粘贴或打开一篇英语文章，软件为文章中的单词标注音标，可以只标注超出读者水平的生词。"
     "此项适合教师、出版社、杂志社为阅读材料和讲义注音。同样具有自动保存功能。",
     false, "lblbiaoti", "最小化窗口", "lblclose", "关闭窗口",
     "Word文档(*.doc)|*.doc|Rich Text File(*.rtf)|*.rtf|", true},
};

}  // namespace

std::span<const WorkingWindowFacts> workingWindows() {
    return kWindows;
}

const WorkingWindowFacts& factsOf(WorkingWindow window) {
    return kWindows[static_cast<int>(window)];
}

}  // namespace widgets
