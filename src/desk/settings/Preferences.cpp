// SPDX-License-Identifier: GPL-3.0-or-later
// Preferences: the Preferences dialog, a page per subject with OK, Cancel and Apply.
#include "settings/Preferences.h"

#include "widgets/Foreground.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>
#include <algorithm>

namespace tamsel {

Preferences::Preferences(SettingsStore& store, Notifier& notifier, QWidget* parent)
    : QDialog(parent), store_(store), notifier_(notifier), list_(new QListWidget(this)),
      stack_(new QStackedWidget(this)), problem_(new QLabel(this)),
      buttons_(new QDialogButtonBox(
          QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Apply, this)) {
    setAttribute(Qt::WA_QuitOnClose, false); // only closing the main window ends the program
    setWindowTitle(tr("Preferences"));
    list_->setAccessibleName(tr("Pages"));
    list_->setMaximumWidth(160);
    problem_->setAccessibleName(tr("Problem"));
    problem_->setWordWrap(true);
    problem_->hide();

    auto* pages = new QHBoxLayout;
    pages->addWidget(list_);
    pages->addWidget(stack_, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(pages, 1);
    layout->addWidget(problem_);
    layout->addWidget(buttons_);

    // Enter is OK from every field, and only OK: no other button becomes the default by
    // having had the focus. Each button has its access key.
    QPushButton* ok = buttons_->button(QDialogButtonBox::Ok);
    QPushButton* cancel = buttons_->button(QDialogButtonBox::Cancel);
    QPushButton* apply = buttons_->button(QDialogButtonBox::Apply);
    ok->setText(tr("&OK"));
    cancel->setText(tr("&Cancel"));
    apply->setText(tr("&Apply"));
    ok->setDefault(true);
    cancel->setAutoDefault(false);
    apply->setAutoDefault(false);

    connect(list_, &QListWidget::currentRowChanged, stack_, &QStackedWidget::setCurrentIndex);
    connect(buttons_, &QDialogButtonBox::accepted, this, &Preferences::accept);
    connect(buttons_, &QDialogButtonBox::rejected, this, &Preferences::reject);
    connect(buttons_->button(QDialogButtonBox::Apply), &QPushButton::clicked, this,
            &Preferences::apply);
}

void Preferences::addPage(PreferencesPage* page) {
    pages_.push_back(page);
    stack_->addWidget(page);
    list_->addItem(page->title());
    // As wide as the longest title (translated ones run longer), up to its maximum.
    const QFontMetrics m(list_->font());
    int widest = 0;
    for (int i = 0; i < list_->count(); ++i) {
        widest = std::max(widest, m.horizontalAdvance(list_->item(i)->text()));
    }
    const int margins =
        2 * list_->frameWidth() +
        4 * list_->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, list_);
    list_->setMinimumWidth(std::min(list_->maximumWidth(), widest + margins));
    if (list_->currentRow() < 0) {
        list_->setCurrentRow(0);
    }
    for (QPushButton* b : page->findChildren<QPushButton*>()) {
        b->setAutoDefault(false); // Enter on it is OK too
    }
    for (QWidget* w : page->findChildren<QWidget*>()) {
        if (w->testAttribute(Qt::WA_InputMethodEnabled)) {
            w->installEventFilter(this);
        }
    }
    keepButtonsLast();
}

void Preferences::keepButtonsLast() {
    // A page joins the end of the dialog's Tab order, after the buttons. They go back to the
    // end, their box with them: the box hands the focus on to a button, so where it stands
    // counts too.
    auto* column = static_cast<QBoxLayout*>(layout());
    column->removeWidget(buttons_);
    buttons_->setParent(nullptr);
    column->addWidget(buttons_);
    QWidget* previous = buttons_->button(QDialogButtonBox::Ok);
    for (QWidget* b :
         {buttons_->button(QDialogButtonBox::Cancel), buttons_->button(QDialogButtonBox::Apply)}) {
        setTabOrder(previous, b);
        previous = b;
    }
}

bool Preferences::eventFilter(QObject* watched, QEvent* event) {
    // Alt with a letter is an access key, never text: one that names nothing types nothing.
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const Qt::KeyboardModifiers mods = key->modifiers();
        if ((mods & Qt::AltModifier) != 0 && (mods & Qt::ControlModifier) == 0 &&
            !key->text().isEmpty()) {
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

PreferencesPage* Preferences::page(const QString& title) const {
    for (PreferencesPage* p : pages_) {
        if (p->title() == title) {
            return p;
        }
    }
    return nullptr;
}

void Preferences::showPage(PreferencesPage* page) {
    list_->setCurrentRow(stack_->indexOf(page));
}

void Preferences::loadPages() {
    loaded_.clear();
    for (PreferencesPage* p : pages_) {
        p->load(store_);
        SettingsRecord shown;
        p->save(shown);
        QMap<QString, Loaded>& keys = loaded_[p];
        for (auto it = shown.values.cbegin(); it != shown.values.cend(); ++it) {
            keys.insert(it.key(), {it.value(), store_.raw(it.key())});
        }
    }
}

void Preferences::saveChanges(PreferencesPage* page) {
    SettingsRecord edited;
    page->save(edited);
    const QMap<QString, Loaded> before = loaded_.value(page);
    for (auto it = edited.values.cbegin(); it != edited.values.cend(); ++it) {
        const auto was = before.constFind(it.key());
        // A key left as it was shown is not written: the file may hold a newer value by now.
        // One whose value in the file the page could not show as it was (unusable, or spelled
        // otherwise) is put right.
        if (was == before.cend() || it.value() != was->shown ||
            (was->held && *was->held != was->shown)) {
            store_.set(it.key(), it.value());
        }
    }
}

void Preferences::openPreferences(const QWidget* beside) {
    loadPages();
    problem_->hide();
    if (beside != nullptr) {
        placeBeside(this, beside);
    }
    buttons_->button(QDialogButtonBox::Ok)->setDefault(true);
    show();
    raise();
    activateWindow();
    list_->setFocus();
}

bool Preferences::apply() {
    for (PreferencesPage* p : pages_) {
        if (const auto wrong = p->validate()) {
            showPage(p);
            problem_->setText(wrong->text);
            problem_->show();
            if (wrong->field) {
                wrong->field->setFocus();
            }
            return false;
        }
    }
    problem_->hide();
    for (PreferencesPage* p : pages_) {
        saveChanges(p);
    }
    if (!store_.commit()) {
        notifier_.failure(store_.writeError());
    }
    // What the store now holds, defaults and all, is what the pages show.
    loadPages();
    return true;
}

void Preferences::accept() {
    if (apply()) {
        QDialog::accept();
    }
}

} // namespace tamsel
