#pragma once

#include "print/KitSheetPrint.h"
#include "print/PrintCommand.h"

#include <QColor>
#include <QPainter>
#include <QStringList>
#include <QWidget>

#include <functional>

namespace morvane::testing {

// A window that paints a recognisable kit sheet: dark, with a red top-left
// and a blue bottom-right corner, and green everywhere outside the sheet.
class SheetWindowStub final : public QWidget, public KitSheetWindow {
public:
    static constexpr QPoint Origin{6, 24};
    static constexpr int Corner = 20;
    static inline const QColor Outside{0, 160, 0};
    static inline const QColor Sheet{64, 64, 64};

    SheetWindowStub() { resize(Origin.x() + KitSheetSize.width() + 10, Origin.y() + KitSheetSize.height() + 10); }

    QWidget& sheetWindow() override { return *this; }
    QPoint sheetOrigin() const override { return Origin; }
    void endPadEditing() override
    {
        ++editEnds;
        if (onEndPadEditing) onEndPadEditing();
    }
    void Status_Update(const QString& text) override { statusTexts << text; }

    int editEnds = 0;
    QStringList statusTexts;
    std::function<void()> onEndPadEditing;
    std::function<void()> onPaint;

protected:
    void paintEvent(QPaintEvent*) override
    {
        if (onPaint) onPaint();
        QPainter painter(this);
        const QRect sheet(Origin, KitSheetSize);
        painter.fillRect(rect(), Outside);
        painter.fillRect(sheet, Sheet);
        painter.fillRect(QRect(sheet.topLeft(), QSize(Corner, Corner)), Qt::red);
        painter.fillRect(QRect(sheet.bottomRight() - QPoint(Corner - 1, Corner - 1), QSize(Corner, Corner)), Qt::blue);
    }
};

}  // namespace morvane::testing
