// The LV2 state interface: the instance's state is one property, the program chunk
// (IPlugLV2::GetProgramChunk) stored as an atom:Chunk under the plug-in URI + "#program".
//
// Restoring refuses, and leaves the instance as it was, when the property is missing
// (LV2_STATE_ERR_NO_PROPERTY), of another type (LV2_STATE_ERR_BAD_TYPE), or not exactly one
// complete program chunk of this plug-in (LV2_STATE_ERR_UNKNOWN). Saving first applies the
// control inputs the host changed since the last cycle; a restored state stays until the host
// moves a port (IPlugLV2::AcceptPortValues). Both calls come from the host's main thread, take
// the instance mutex and read the control inputs, which hosts set from that thread too.
#pragma once

// The state interface for LV2_STATE__interface, null for any other URI.
const void* LV2StateExtensionData(const char* uri);
