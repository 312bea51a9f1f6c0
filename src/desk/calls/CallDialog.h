// SPDX-License-Identifier: GPL-3.0-or-later
// CallDialog: asks for the reflector, station or repeater of a call, and checks it.
#pragma once

#include "calls/Targets.h"

#include <QDialog>

class QComboBox;
class QDialogButtonBox;
class QLabel;

namespace tamsel {

class TEdit;

// One small dialog per kind of target. Enter takes what is typed when it is good; when it
// is not, the dialog says why and stays open with the text as typed.
class CallDialog : public QDialog {
    Q_OBJECT
public:
    enum class Kind { Reflector, Station, Repeater };

    CallDialog(Kind kind, QWidget* parent = nullptr);

    // Shows the dialog afresh: the reflector dialog offers `choices` and shows the first,
    // the others start empty.
    void present(const QStringList& choices = {});
    // The checked target after the dialog was accepted: "REF030 C", "DL1ABC" or "/JR1YB B".
    QString value() const { return value_; }

    void accept() override;

    QComboBox* Names = nullptr; // the reflector dialog's editable list
    TEdit* Field = nullptr;     // what is typed: the list's edit, or an edit of its own
    QComboBox* Module = nullptr;
    QLabel* Problem = nullptr;
    QDialogButtonBox* Buttons = nullptr;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    Checked check() const;
    void takeModuleFromText(const QString& text);
    void showProblem(const QString& text);
    void hideProblem();
    void fitProblem();

    Kind kind_;
    QString value_;
};

} // namespace tamsel
