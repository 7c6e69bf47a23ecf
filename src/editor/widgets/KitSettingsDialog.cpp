#include "KitSettingsDialog.h"

#include "WidgetPlacement.h"
#include "kit/Cp1252.h"
#include "kit/KitDump.h"
#include "platform/Desktop.h"
#include "platform/widgets/WidgetStyle.h"

#include <QApplication>
#include <QComboBox>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace morvane {
namespace {

constexpr double DialogFontPoints = 8.25;

template <typename W>
W* placed(W* widget, const char* name, const QRect& geometry)
{
    widget->setObjectName(QString::fromLatin1(name));
    widget->setGeometry(geometry);
    return widget;
}

QComboBox* numberCombo(QWidget* parent)
{
    auto* box = new QComboBox(parent);
    box->setEditable(true);
    // Enter confirms the dialog; it must not add the typed text to the list.
    box->setInsertPolicy(QComboBox::NoInsert);
    return box;
}

void fillList(QComboBox* box, int first, int last, int shown)
{
    box->clear();
    for (int n = first; n <= last; ++n) box->addItem(QString::number(n));
    box->setEditText(QString::number(shown));
}

// The box holds KitNameLength characters. QLineEdit's own limit counts
// UTF-16 units and would cut a character beyond them in half, which then
// reads as "?"; kept whole, it is refused by name at OK.
void keepKitNameLength(QLineEdit* box)
{
    const QString text = box->text();
    qsizetype end = 0;
    for (int kept = 0; kept < KitNameLength && end < text.size(); ++kept)
        end += text.at(end).isHighSurrogate() && end + 1 < text.size() ? 2 : 1;
    if (end == text.size()) return;
    const int cursor = box->cursorPosition();
    box->setText(text.left(end));
    box->setCursorPosition(std::min(cursor, static_cast<int>(end)));
}

bool isEnter(const QKeyEvent* key) { return key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter; }

// Focus that moves from box to box inside the dialog, not to another window
// or to the box's own drop-down list.
bool movesWithinDialog(Qt::FocusReason reason)
{
    return reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason || reason == Qt::MouseFocusReason ||
           reason == Qt::ShortcutFocusReason || reason == Qt::OtherFocusReason;
}

}  // namespace

KitSettingsDialog::KitSettingsDialog(Desktop& desktop, QWidget* parent)
    : QWidget(parent, Qt::Dialog),
      desktop_(desktop),
      KitNameText(placed(new QLineEdit(this), "KitNameText", fixedPixels({960, 120, 3615, 285}))),
      OKBtn(placed(new QPushButton(QStringLiteral("OK"), this), "OKBtn", fixedPixels({600, 1080, 1335, 375}))),
      CancelBtn(placed(new QPushButton(QStringLiteral("Cancel"), this), "CancelBtn",
                       fixedPixels({2640, 1080, 1335, 375}))),
      KitNumberCombo(placed(numberCombo(this), "KitNumberCombo", fixedPixels({960, 600, 615, 315}))),
      BankNumberCombo(placed(numberCombo(this), "BankNumberCombo", fixedPixels({3000, 600, 615, 315})))
{
    placed(new QLabel(QStringLiteral("Kit Name:"), this), "Label1", fixedPixels({120, 120, 735, 255}));
    placed(new QLabel(QStringLiteral("Kit #:"), this), "Label2", fixedPixels({120, 600, 615, 255}));
    placed(new QLabel(QStringLiteral("Bank #:"), this), "Label3", fixedPixels({2280, 600, 615, 255}));
    setObjectName(QStringLiteral("KitSettings"));
    setWindowTitle(QStringLiteral("Kit Settings"));
    setFixedSize(fixedPixels({0, 0, 4680, 1560}).size());
    // The design's labels are sized for a small sans-serif dialog font.
    setFont(designFont(DialogFontPoints, false));
    connect(KitNameText, &QLineEdit::textEdited, this, [this] { keepKitNameLength(KitNameText); });

    setTabOrder(KitNameText, OKBtn);
    setTabOrder(OKBtn, CancelBtn);
    setTabOrder(CancelBtn, KitNumberCombo);
    setTabOrder(KitNumberCombo, BankNumberCombo);

    for (QWidget* control : {static_cast<QWidget*>(KitNameText), static_cast<QWidget*>(KitNumberCombo),
                             static_cast<QWidget*>(BankNumberCombo), static_cast<QWidget*>(OKBtn),
                             static_cast<QWidget*>(CancelBtn)})
        control->installEventFilter(this);
    connect(OKBtn, &QPushButton::clicked, this, &KitSettingsDialog::OKBtn_Click);
    connect(CancelBtn, &QPushButton::clicked, this, &KitSettingsDialog::CancelBtn_Click);
}

void KitSettingsDialog::openWith(const std::string& kitName, int kitNumber, int bankNumber)
{
    if (!isVisible()) {
        Fill_Kit_Settings(kitName, kitNumber, bankNumber);
        show();
        KitNameText->setFocus();
    }
    raise();
    activateWindow();
}

void KitSettingsDialog::kitReplaced(const std::string& kitName, int kitNumber, int bankNumber)
{
    if (isVisible()) Fill_Kit_Settings(kitName, kitNumber, bankNumber);
}

void KitSettingsDialog::Fill_Kit_Settings(const std::string& kitName, int kitNumber, int bankNumber)
{
    KitNameText->setText(QString::fromStdString(utf8FromCp1252(kitName)));
    fillList(KitNumberCombo, 1, 24, kitNumber);
    fillList(BankNumberCombo, 0, 128, bankNumber);
    storedKitNumber_ = kitNumber;
    storedBankNumber_ = bankNumber;
}

bool KitSettingsDialog::Check_Kit_Number()
{
    return checkNumber(KitNumberCombo, KitNumberRule, storedKitNumber_).has_value();
}

bool KitSettingsDialog::Check_Bank_Number()
{
    return checkNumber(BankNumberCombo, BankNumberRule, storedBankNumber_).has_value();
}

// The kit's own stored number passes even outside the range one may type: a
// dump holds kits up to 128 and banks up to 255 and saves them as they are,
// so a box left as filled is no reason to refuse. Text that is no whole
// number gets the range message too: it is no number the range admits.
std::optional<int> KitSettingsDialog::checkNumber(QComboBox* box, const RangeRule& rule, int stored)
{
    const std::string text = box->currentText().toStdString();
    if (const auto number = parseWholeNumber(text); number == stored) return number;
    const auto number = checkNumberText(rule, text);
    if (number) return number;
    desktop_.messageBox(QString::fromStdString(rangeMessage(rule)), MessageStyle::Plain,
                        QString::fromStdString(rangeTitle(rule)));
    returnFocusTo(box);
    return std::nullopt;
}

// The message box belongs to the main window, which it leaves active when
// it closes; the user goes on typing in this dialog.
void KitSettingsDialog::returnFocusTo(QWidget* box)
{
    activateWindow();
    box->setFocus();
}

bool KitSettingsDialog::checkKitName()
{
    const auto name = cp1252FromUtf8(KitNameText->text().toStdString());
    if (name) return true;
    desktop_.messageBox(QString::fromStdString(name.error()), MessageStyle::Plain);
    returnFocusTo(KitNameText);
    return false;
}

// Applies nothing until both numbers are in range and the name can be stored.
void KitSettingsDialog::OKBtn_Click()
{
    const auto kitNumber = checkNumber(KitNumberCombo, KitNumberRule, storedKitNumber_);
    if (!kitNumber) return;
    const auto bankNumber = checkNumber(BankNumberCombo, BankNumberRule, storedBankNumber_);
    if (!bankNumber || !checkKitName()) return;
    const KitSettingsChoice choice{KitNameText->text(), *kitNumber, *bankNumber + 1};
    hide();
    emit settingsChosen(choice);
}

void KitSettingsDialog::CancelBtn_Click() { hide(); }

bool KitSettingsDialog::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress && isEnter(static_cast<QKeyEvent*>(event))) return onEnter(watched);
    if (event->type() == QEvent::FocusOut) onFocusLost(watched, event);
    return QWidget::eventFilter(watched, event);
}

// A plain window's buttons answer only the space bar; Enter on a focused
// button presses it, as in any dialog.
bool KitSettingsDialog::onEnter(QObject* watched)
{
    if (auto* button = qobject_cast<QPushButton*>(watched)) {
        button->click();
        return true;
    }
    const bool checked = watched == KitNumberCombo   ? Check_Kit_Number()
                         : watched == BankNumberCombo ? Check_Bank_Number()
                                                      : true;
    if (checked) OKBtn_Click();
    return true;
}

// OK checks both numbers itself and Cancel discards them, so moving onto
// either button shows no message of its own.
void KitSettingsDialog::onFocusLost(QObject* watched, QEvent* event)
{
    if (!movesWithinDialog(static_cast<QFocusEvent*>(event)->reason())) return;
    const QWidget* next = QApplication::focusWidget();
    if (next == OKBtn || next == CancelBtn) return;
    if (watched == KitNumberCombo) Check_Kit_Number();
    if (watched == BankNumberCombo) Check_Bank_Number();
}

}  // namespace morvane
