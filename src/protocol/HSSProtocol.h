#pragma once
// Every command of the carrier board protocol.

#include "protocol/HSSCommand.h"
#include "protocol/HSSConstants.h"
#include "protocol/HSSRegisterCommands.h"
#include "protocol/HSSServiceCommands.h"
