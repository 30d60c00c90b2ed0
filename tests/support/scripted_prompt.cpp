// ScriptedPrompt is defined in its header; this unit keeps the library and fuzzer builds unchanged.
#include "support/scripted_prompt.h"
