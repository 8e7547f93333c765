#pragma once

// The program's icon pictures, drawn by code: a key cap, green while the
// bindings are active, grey while they are not.

namespace brellum {

void RegisterDaemonIcons();

}
