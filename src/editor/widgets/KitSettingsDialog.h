#pragma once

#include "kit/KitRanges.h"

#include <QWidget>

#include <optional>
#include <string>

class QComboBox;
class QLineEdit;
class QPushButton;

namespace morvane {

class Desktop;

// What OK hands to Replace_System_Variables: the name as typed (every
// character has a code in code page 1252), the kit number, and the bank
// number plus one.
struct KitSettingsChoice {
    QString NewKitName;
    int NewKitNumber = 0;
    int NewBankNumber = 0;
};

// KitSettings: the modeless dialog for the kit name, kit number and bank number.
class KitSettingsDialog : public QWidget {
    Q_OBJECT
public:
    explicit KitSettingsDialog(Desktop& desktop, QWidget* parent = nullptr);

    // Fills and shows the dialog; while it is already open, only brings it to
    // the front so that what the user typed there for this kit stays.
    void openWith(const std::string& kitName, int kitNumber, int bankNumber);
    // Another kit became the current one. An open dialog shows it at once:
    // what was typed for the old kit must never be applied to the new one.
    void kitReplaced(const std::string& kitName, int kitNumber, int bankNumber);

    void Fill_Kit_Settings(const std::string& kitName, int kitNumber, int bankNumber);
    bool Check_Kit_Number();
    bool Check_Bank_Number();

signals:
    void settingsChosen(const morvane::KitSettingsChoice& choice);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void OKBtn_Click();
    void CancelBtn_Click();
    bool onEnter(QObject* watched);
    void onFocusLost(QObject* watched, QEvent* event);
    std::optional<int> checkNumber(QComboBox* box, const RangeRule& rule, int stored);
    bool checkKitName();
    void returnFocusTo(QWidget* box);

    Desktop& desktop_;
    QLineEdit* KitNameText;
    QPushButton* OKBtn;
    QPushButton* CancelBtn;
    QComboBox* KitNumberCombo;
    QComboBox* BankNumberCombo;
    int storedKitNumber_ = 0;
    int storedBankNumber_ = 0;
};

}  // namespace morvane
