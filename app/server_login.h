#pragma once
// The login of an official to the club's database on a server, before the
// data module opens it: when the server wants a password that the user's
// ~/.pgpass does not give, the program asks for it (three times at most).
// The password lives only in the returned address, in memory.

#include <QString>

#include "app/database_address.h"

// The address to open: with the password typed, or as the settings give it
// (the data module then reports why the server cannot be reached).
QString LoginAddress(const ServerSettings& settings);
