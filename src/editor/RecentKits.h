#pragma once

#include <QString>
#include <QStringList>

namespace morvane {

// The kit files opened or saved last, most recent first, as File > Open
// Recent lists them and the settings keep them.
class RecentKits {
public:
    static constexpr int Most = 8;

    // From the stored text; empty entries and repeats are dropped and at
    // most Most kept, so a hand-edited setting reads as a list we write.
    static RecentKits parse(const QString& stored);
    QString serialized() const;

    const QStringList& paths() const { return paths_; }
    // The path goes to the top, once; the oldest beyond Most drops off.
    void add(const QString& path);
    void remove(const QString& path);

private:
    QStringList paths_;
};

}  // namespace morvane
