#pragma once

#include "editor/Compensation.h"

#include <QObject>

class QLabel;
class QString;
class QWidget;

namespace morvane {

// The kit title, kit number and bank number in the top right corner of the
// face, and the underline that lights while the mouse is over the title.
class KitHeader final : public QObject {
    Q_OBJECT
public:
    KitHeader(QWidget* face, const Compensation& compensation);

    void Fill_Print_Header(const QString& kitName, int kitNumber, int bankNumber);
    void Display_Print_Header(bool visible);
    // Black again when the mouse moves over an empty part of the window.
    void darkenUnderline();

signals:
    // A click on any of the three labels asks for the kit settings dialog.
    void kitSettingsRequested();

private:
    QLabel* makeLabel(QWidget* face, const QString& name, const TwipRect& place, const QString& tooltip);
    static void Output_Print_Header(const QString& inputString, QLabel* outputLabel);

    const Compensation& compensation_;
    QLabel* title_;
    QLabel* kitNumber_;
    QLabel* bankNumber_;
    QWidget* line1_;
};

}  // namespace morvane
