// The recycle bins of all drives.
#pragma once

// True as soon as one drive's bin reports an item; drives are asked in the order
// GetLogicalDriveStringsA lists them. A drive that cannot be asked counts as empty.
bool RecycleBinsHaveItems();

// Empties every drive's bin; asks the user first only when askFirst is set.
// The shell may show its progress window and play its sound.
void EmptyRecycleBins(bool askFirst);
