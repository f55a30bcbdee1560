#include "app/RecoveryOffer.h"

#include <algorithm>

#include "app/CEditorDlg.h"
#include "app/Session.h"
#include "rom/Recovery.h"
#include "widgets/Prompts.h"
#include "widgets/Text.h"

namespace dravik::app {

namespace {
using widgets::Q;

// 是 or 否; Enter answers 是, since taking the changes back loses nothing (one undo removes them
// again), while Esc and the close box answer 否 as in any yes-or-no box.
bool AskYes(widgets::Prompts& prompts, QWidget* parent, const QString& text)
{
    widgets::Question question;
    question.icon = QMessageBox::Question;
    question.caption = CEditorDlg::Caption();
    question.text = text;
    question.buttons = {RecoveryOffer::tr("是"), RecoveryOffer::tr("否")};
    question.defaultButton = 0;
    question.cancelButton = 1;
    return prompts.Ask(parent, question) == 0;
}

// A message about a record that cannot be offered, followed by what became of the record.
QString ThenRecord(const QString& message, const QString& record)
{
    return RecoveryOffer::tr("%1%2", "a sentence, then the one about the recovery record")
        .arg(message, record);
}
} // namespace

RecoveryOffer::RecoveryOffer(Session& session, widgets::Prompts& prompts, QWidget* window)
    : QObject(window), session_(session), prompts_(prompts), window_(window)
{
}

// How a message about a record ends: it was deleted, or why it could not be.
QString RecoveryOffer::Discard(const std::string& path)
{
    if (session_.DiscardRecoveryRecord(path))
        return tr("恢复记录已删除。");
    return tr("恢复记录无法删除：%1。").arg(Q(path));
}

// Several windows may have left edits of the image: each is offered on its own, the oldest first,
// and where one would write over a value taken back before it, the question says how often.
void RecoveryOffer::OfferRecord()
{
    const std::vector<RecoveryKeeper::Found> records = session_.FindRecoveryRecords();
    const auto offers = std::count_if(records.begin(), records.end(), [](const RecoveryKeeper::Found& f) {
        return f.kind == RecoveryKeeper::Found::Offer;
    });
    int asked = 0;
    for (const RecoveryKeeper::Found& found : records) {
        const int count = found.record.Count();
        switch (found.kind) {
        case RecoveryKeeper::Found::None: break;
        case RecoveryKeeper::Found::Offer: {
            QString text =
                offers == 1 ? tr("上次有 %n 处未保存的修改，是否恢复？", nullptr, count)
                            : tr("上次有 %1 个窗口留下了未保存的修改。第 %2 个窗口的 %n 处修改，是否恢复？",
                                 nullptr, count)
                                  .arg(offers)
                                  .arg(++asked);
            // Another window that saved it changed it as often as another program: the record
            // cannot tell which.
            if (found.fileChanged)
                text +=
                    u'\n' +
                    tr("文件在那之后已被修改（在另一个窗口或其他程序中），这些修改将写在文件的新内容上。");
            if (found.changedAlso > 0)
                text +=
                    u'\n' + tr("其中 %1 处在文件中也已改变，恢复后以这些修改为准。").arg(found.changedAlso);
            if (const int over = rom::Overlapping(session_.Document().GetModel(), found.record.edits))
                text += u'\n' + tr("其中 %n 处与已恢复的修改不同，恢复后以这些修改为准。", nullptr, over);
            if (AskYes(prompts_, window_, text))
                session_.Recover(found);
            else
                session_.DiscardRecoveryRecord(found.path);
            break;
        }
        case RecoveryKeeper::Found::FileChanged:
            // Made against other bytes, with nothing to tell which of them another program changed
            // too: put over these they could mean anything.
            prompts_.Tell(window_, QMessageBox::Warning, CEditorDlg::Caption(),
                          ThenRecord(tr("上次有 %n 处未保存的修改，但文件在那之后已被修改，"
                                        "这些修改无法恢复。",
                                        nullptr, count),
                                     Discard(found.path)));
            break;
        case RecoveryKeeper::Found::Unreadable: {
            QString why = found.error ? Q(rom::Describe(*found.error)) : QString();
            if (why.endsWith(QStringLiteral("。"))) // the reason is shown inside a sentence
                why.chop(1);
            // A file that could not be read this time (a disk error, its permissions) may hold
            // edits that a later Open can still bring back: it stays.
            if (found.error && rom::MayReadLater(*found.error)) {
                prompts_.Tell(window_, QMessageBox::Warning, CEditorDlg::Caption(),
                              tr("上次未保存的修改的恢复记录现在无法读取（%1）。它留在原处，"
                                 "下次打开这个文件时会再提供。")
                                  .arg(why));
                break;
            }
            // This program can never apply it; kept, it would only bring the same message at
            // every Open.
            prompts_.Tell(
                window_, QMessageBox::Warning, CEditorDlg::Caption(),
                ThenRecord(tr("上次未保存的修改的恢复记录无法使用（%1）。").arg(why), Discard(found.path)));
            break;
        }
        }
    }
    session_.SettleRecoveryRecords();
}

void RecoveryOffer::OfferReapplied(const rom::Reapplication& plan)
{
    if (plan.count == 0) { // the file holds every change
        session_.ForgetUnsavedChanges();
        return;
    }
    QString text = tr("文件已重新载入。\n重新载入前有 %n 处未保存的修改，是否在文件的新内容上恢复？", nullptr,
                      plan.count);
    if (plan.changedAlso > 0)
        text += u'\n' + tr("其中 %1 处其他程序也修改过，恢复后以您的修改为准。").arg(plan.changedAlso);
    if (AskYes(prompts_, window_, text))
        session_.Recover(plan.edits);
    else
        session_.ForgetUnsavedChanges();
}

} // namespace dravik::app
