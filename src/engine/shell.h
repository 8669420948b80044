#pragma once

#include <QString>

#include <optional>

namespace Engine {

// A shell by program name. Commands run through it as a login shell (-c -l).
class Shell
{
public:
    explicit Shell(QString name) : m_name(std::move(name)) {}

    static Shell zsh();
    static Shell bash();
    // zsh when installed, else bash; decided once per process.
    static Shell current();

    const QString& name() const { return m_name; }
    std::optional<QString> path() const;

    bool operator==(const Shell&) const = default;

private:
    QString m_name;
};

} // namespace Engine
