#pragma once

#include <QString>

// What the edit dialog says about a name or location it refuses.
const QString NameMessage = QStringLiteral(
    "Invalid name, please check the following:\n\n"
    "1. Max of 12 characters\n"
    "2. Only alphanumeric characters and underscore allowed\n"
    "3. First character must be a letter");
const QString LocationMessage = QStringLiteral(
    "Invalid location, make sure of the following:\n\n"
    "1. Max of 31 characters\n"
    "2. Only alphanumeric characters, underscore and blank spaces allowed\n");
