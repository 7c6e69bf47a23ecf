#pragma once

#include "editor/Compensation.h"
#include "editor/PadEditing.h"
#include "kit/KitDump.h"

#include <QObject>
#include <QTimer>

#include <array>
#include <memory>
#include <vector>

class QAction;
class QLabel;
class QWidget;

namespace morvane {

class Picture;
class Pictures;
class SvgPicture;

// The 24 pads on the instrument face: their mouse targets, lit pictures,
// note and channel labels, selection markers, and the little display that
// names the hovered (or struck) pad. The controls are children of the face
// widget; the value labels show the kit's fields.
class PadBoard final : public QObject, public PadBoardView {
    Q_OBJECT
public:
    PadBoard(QWidget* face, Pictures& pictures, const Compensation& compensation, const KitFields& fields);

    void setMarkerVisible(int pad, PadField field, bool visible) override;
    void setLitVisible(int pad, bool visible) override;
    QString valueText(int pad, PadField field) const override;
    void setValueText(int pad, PadField field, const QString& text) override;
    void Fill_Pad_MNN_And_TransmitCh() override;

    void Pad_Hovered(int index);
    // The board's part of a mouse move over an empty part of the window.
    void clearHover();
    // Pads struck on the controller light, and the display names the first,
    // for a moment; what the mouse and the selection show stays as it was.
    void showHit(const std::vector<int>& pads);

    // Pad index + 1 of the value selected for editing, 0 when none.
    int SelectedPad() const { return selectedPad_; }
    void setSelectedPad(int selectedPad) { selectedPad_ = selectedPad; }

signals:
    // A click on a pad's area, one of its labels or one of its markers;
    // tchClicked tells the channel from the note number.
    void padClicked(int index, bool tchClicked);
    // A Ctrl+click on a pad's controls, or "Play Pad" in their context menu.
    void padPlayRequested(int index);

private:
    void createLitImages(QWidget* face, Pictures& pictures);
    void createPadImages(QWidget* face);
    void createValueControls(QWidget* face, Pictures& pictures);
    void createLEDLabel(QWidget* face);
    void handlePadMouse(QWidget* control, int i, bool tchClicked, bool hovers);
    void endHit();
    QLabel* valueLabel(int pad, PadField field) const;
    QLabel* makeValueLabel(QWidget* face, const QString& arrayName, int i, const QColor& color, double points);
    SvgPicture* makeMarker(QWidget* face, const std::shared_ptr<Picture>& picture, const QString& arrayName,
                           int i, QPoint topLeft, QSize size, bool tchClicked);

    const Compensation& compensation_;
    const KitFields& fields_;
    std::array<QWidget*, PadCount> litImages_{};
    std::array<QLabel*, PadCount> noteLabels_{};
    std::array<QLabel*, PadCount> channelLabels_{};
    std::array<QWidget*, PadCount> noteMarkers_{};
    std::array<QWidget*, PadCount> channelMarkers_{};
    std::array<QAction*, PadCount> playActions_{};
    QLabel* ledLabel_ = nullptr;
    int selectedPad_ = 0;
    QTimer hitTimer_;
    std::vector<int> hitLit_;  // pads the hit lit that were dark before
    QString hitText_;
    QString ledTextBeforeHit_;
};

}  // namespace morvane
