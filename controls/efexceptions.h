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

class EControllerError : public EEfException {
public:
    using EEfException::EEfException;
};

// A field was created on a form that holds no controller.
class ENoControllerAssigned : public EControllerError {
public:
    ENoControllerAssigned() : EControllerError(QStringLiteral("No Controller assigned")) {}
};

class EEntryFieldError : public EEfException {
public:
    using EEfException::EEfException;
};

// A value accessor that does not fit the field's data type.
class EInvalidDataType : public EEntryFieldError {
public:
    EInvalidDataType() : EEntryFieldError(QStringLiteral("Invalid data type for this field")) {}
};

class EInvalidPictureMask : public EEntryFieldError {
public:
    explicit EInvalidPictureMask(const QString& mask)
        : EEntryFieldError(QStringLiteral("Invalid picture mask: %1").arg(mask))
    {
    }
};

// The message names the limits of the field's data type.
class EInvalidRangeValue : public EEntryFieldError {
public:
    using EEntryFieldError::EEntryFieldError;
};

class EInvalidDateForMask : public EEntryFieldError {
public:
    EInvalidDateForMask()
        : EEntryFieldError(
              QStringLiteral("Invalid date value for picture mask. (Year is outside the Epoch range)"))
    {
    }
};
