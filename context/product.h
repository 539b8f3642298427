#pragma once
// Fixed values of the product: its title, its version and the line of notice
// the splash window and the about box show.
#include <QString>

inline const QString ProductName = QStringLiteral("CarePortfolio");
inline const QString ProductVersion = QStringLiteral("1.0");
inline const QString ProductSubTitle;
inline const QString ProductNotice = QStringLiteral("Copyright (C) Brightmoor Corp. All rights reserved.");
