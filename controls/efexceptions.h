#pragma once
// Programming errors of the entry-field framework: raised, never reported to
// the user as input errors.
#include <QString>
#include <stdexcept>

class EEfException : public std::runtime_error {
public:
    explicit EEfException(const QString& message) : std::runtime_error(message.toStdString()) {}
    QString Message() const { return QString::fromStdString(what()); }
};

class ECmdProcessorError : public EEfException {
public:
    using EEfException::EEfException;
};

class EDuplicateCommand : public ECmdProcessorError {
public:
    EDuplicateCommand()
        : ECmdProcessorError(QStringLiteral("Duplicate command found while adding a new command to the table"))
    {
    }
};

class ETableNotFound : public ECmdProcessorError {
public:
    ETableNotFound()
        : ECmdProcessorError(QStringLiteral("Command table not found or command table index out of range"))
    {
    }
};
