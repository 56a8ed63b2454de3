#pragma once

#include "ScriptedDialogs.h"
