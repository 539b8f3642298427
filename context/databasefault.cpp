#include "databasefault.h"

#include "context.h"
#include "platform/ui/guarded.h"

#include <QDir>

QString DatabaseFaultText(const EDatabaseError& error, const QString& dataFolder)
{
    const QString file = QDir::toNativeSeparators(Database::PathIn(dataFolder));
    switch (error.Fault()) {
    case TDatabaseFault::Missing:
        return QStringLiteral("CarePortfolio cannot find its database, the file \"%1\".\n\n"
                              "Please put the file back into that folder, for example from your latest backup, "
                              "then try again.")
            .arg(file);
    case TDatabaseFault::NotADatabase:
        return QStringLiteral("The file \"%1\" is not a CarePortfolio database, or it is damaged.\n\n"
                              "Please replace it with a good copy, for example from your latest backup, "
                              "then try again.")
            .arg(file);
    case TDatabaseFault::Busy:
        return QStringLiteral("The CarePortfolio database \"%1\" is in use by another program.\n\n"
                              "Please close the other program, or wait until it has finished, then try again.")
            .arg(file);
    case TDatabaseFault::ReadOnly:
        return QStringLiteral("CarePortfolio cannot save changes to its database \"%1\": the file or its folder "
                              "is read-only.\n\n"
                              "Please make sure that you are allowed to change the folder and the file, "
                              "then try again.")
            .arg(file);
    case TDatabaseFault::Other: break;
    }
    return QStringLiteral("CarePortfolio could not read or change its records in \"%1\".\n\n"
                          "The database reported: %2\n\n"
                          "Please try again. If this happens again, please report it with the text above.")
        .arg(file, error.Message());
}

QString ErrorText(const std::exception& error)
{
    if (const auto* database = dynamic_cast<const EDatabaseError*>(&error))
        return DatabaseFaultText(*database, DataFolder);
    return QString::fromLocal8Bit(error.what());
}

void WordErrorsPlainly()
{
    InstallErrorWording(ErrorText);
}
