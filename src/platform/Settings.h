#pragma once

#include <QString>

#include <functional>

namespace morvane {

// The per-user settings: one text value by application, section and key.
// The classes that remember something talk to it instead of to a store, and
// the program tells the user once when a value could not be kept.
class Settings {
public:
    virtual ~Settings() = default;

    virtual QString read(const QString& application, const QString& section, const QString& key,
                         const QString& fallback = {}) = 0;
    // False when the value could not be stored and will be gone at the next
    // start. The run's first such failure is also told, once, to the listener.
    bool write(const QString& application, const QString& section, const QString& key, const QString& value);
    // The listener shows the text to the user; the program goes on.
    void whenUnsaved(std::function<void(const QString& text)> listener);

protected:
    // The store's own write; false when it failed.
    virtual bool store(const QString& application, const QString& section, const QString& key,
                       const QString& value) = 0;
    // Where the application's settings are kept, so a failure can name it.
    virtual QString fileName(const QString& application) = 0;

private:
    std::function<void(const QString&)> unsavedListener_;
    bool unsavedTold_ = false;
};

}  // namespace morvane
