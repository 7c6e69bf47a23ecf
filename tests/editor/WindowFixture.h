#pragma once

#include "support/KitFiles.h"
#include "editor/EditorTexts.h"
#include "editor/MainWindow.h"
#include "platform/UserSettings.h"
#include "support/LoopbackMidiDevices.h"
#include "support/ScriptedDesktop.h"

#include <QApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QSettings>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace morvane::testing {

// The real main window on a scripted desktop, with kit files in a
// temporary folder and the settings store emptied before each test.
class WindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        QSettings(QSettings::NativeFormat, QSettings::UserScope, texts::SettingsApplication).clear();
    }

    MainWindow& start(const QString& commandLinePath = {})
    {
        window = std::make_unique<MainWindow>(desktop, midiDevices, commandLinePath);
        return *window;
    }

    MainWindow& startWith(const KitDump& dump, const QString& fileName = QStringLiteral("rock1.syx"))
    {
        return start(kits.write(fileName, dump));
    }

    template <typename T = QWidget>
    T* control(const QString& name) const
    {
        auto* found = window->findChild<T*>(name);
        EXPECT_NE(found, nullptr) << name.toStdString();
        return found;
    }

    QString text(const QString& labelName) const { return control<QLabel>(labelName)->text(); }
    bool shown(const QString& name) const { return !control(name)->isHidden(); }

    static void moveOver(QWidget* widget)
    {
        const QPointF centre = QRectF(widget->rect()).center();
        QMouseEvent move(QEvent::MouseMove, centre, widget->mapToGlobal(centre), Qt::NoButton, Qt::NoButton,
                         Qt::NoModifier);
        QApplication::sendEvent(widget, &move);
    }
    void moveOverBackground() const { moveOver(window->face()); }

    QString loadPath() const
    {
        return readUserSetting(texts::SettingsApplication, texts::SettingsSection, texts::LoadPathKey, {});
    }

    ScriptedDesktop desktop;
    // One port each way, none chosen: start-up has nothing to say about MIDI.
    LoopbackMidiDevices midiDevices{{"Loopback In"}, {"Loopback Out"}};
    KitFolder kits;
    std::unique_ptr<MainWindow> window;
};

inline QString padName(const char* array, int i) { return QString::fromLatin1(array) + QLatin1Char('_') + QString::number(i); }

}  // namespace morvane::testing
