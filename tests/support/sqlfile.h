#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>

namespace TestSupport {

// A connection of the test's own to an SQLite file, for what the code under test does not expose:
// raw rows, layouts written by hand, and whether the file is whole. Closed when destroyed.
class SqlFile
{
public:
    explicit SqlFile(const QString& path, bool readOnly = false);
    ~SqlFile();
    SqlFile(const SqlFile&) = delete;
    SqlFile& operator=(const SqlFile&) = delete;

    // The first column of the first row; invalid when the statement fails or returns nothing.
    QVariant value(const QString& sql) const;
    // The first column of every row, or {"failed: <sql>"}.
    QStringList column(const QString& sql) const;
    // Runs each statement in turn; false (with a warning) at the first that fails.
    bool exec(const QStringList& statements) const;
    // Empty when SQLite finds the file intact and no reference dangling, otherwise what it found.
    QStringList damage() const;

private:
    QString m_name;
};

} // namespace TestSupport
