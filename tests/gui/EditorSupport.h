#pragma once
// Helpers for the row editor tests: a loaded sample model, and a scripted user that works the
// modal dialog EditRow runs, as a user would.
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QKeyEvent>
#include <QPushButton>

#include <gtest/gtest.h>

#include <functional>
#include <ostream>

#include "editors/CRowDlg.h"
#include "editors/RowEditing.h"
#include "names/Names.h"
#include "rom/Passes.h"
#include "rom/RomDocument.h"
#include "rom/SampleImage.h"
#include "support/ScriptedUser.h"
#include "widgets/LineBox.h"

// Failure messages show a QString as its text.
inline std::ostream& operator<<(std::ostream& out, const QString& text) { return out << text.toStdString(); }
inline void PrintTo(const QString& text, std::ostream* out) { *out << text; }

namespace dravik::test {

using names::List;

inline QString U(const char* s) { return QString::fromUtf8(s); }

inline widgets::LineBox* Edit(QDialog* d, int id)
{
    return d->findChild<widgets::LineBox*>(U("edit%1").arg(id));
}
inline QComboBox* Combo(QDialog* d, int id) { return d->findChild<QComboBox*>(U("combo%1").arg(id)); }
inline void SetEdit(QDialog* d, int id, const QString& text) { Edit(d, id)->SetText(text); }
inline void SetCombo(QDialog* d, int id, int index) { Combo(d, id)->setCurrentIndex(index); }
inline void Ok(QDialog* d) { d->findChild<QPushButton*>("button1")->click(); }
// A key pressed and released over w, sent straight to it.
inline void Key(QWidget* w, int key, const QString& text = {})
{
    for (QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
        QKeyEvent event(type, key, Qt::NoModifier, text);
        QApplication::sendEvent(w, &event);
    }
}

// A model loaded from a sample image; refusals are recorded instead of shown. Drive runs the
// row's editor and calls `act` on it once shown; a dialog `act` leaves open is cancelled, so
// that a failing test cannot hang.
class EditorTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        rom::LoadTables(rom::MakeSampleImage(3), sample_.GetModel());
        widgets::Prompts::Give(&window_, &user_);
    }

    rom::Table& T(const char* id) { return doc_->GetModel().Get(id); }
    bool Drive(const char* table, int row, std::function<void(QDialog*)> act)
    {
        user_.AnswerModal([act](QDialog& dialog) { act(&dialog); });
        const std::optional<rom::Edit> edit = editors::EditRow(&window_, T(table), row);
        return edit && !doc_->Apply(*edit).Empty(); // true when the row changed
    }
    // The refusals shown so far, as "caption|text".
    QStringList Messages() const
    {
        QStringList shown;
        for (const test::Prompt& p : user_.Asked(test::Prompt::Message))
            shown << p.caption + "|" + p.text;
        return shown;
    }

    rom::RomDocument sample_;
    rom::RomDocument* doc_ = &sample_; // the document the tables come from and edits go to
    test::ScriptedUser user_;
    QWidget window_; // the row editors' parent, never shown
};

} // namespace dravik::test
