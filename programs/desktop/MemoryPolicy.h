#pragma once

namespace desktop {

// Large blocks, the windows' pictures above all, get pages of their own that
// go back to the system as soon as they are freed.
void ReturnLargeBlocksToTheSystem();

}
