// "skylog parse": the days a bulletin gives, without importing them.
#pragma once

#include "app/command.h"

Command ParseCommand();
