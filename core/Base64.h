// Base64 with the standard alphabet and '=' fill, as used by preset blobs and the preset dumps.
#pragma once

#include <string>
#include <vector>

std::string Base64Encode(const unsigned char* data, int size);

// Decodes up to size bytes; decoding stops at the first character outside the alphabet (the
// fill character, white space, the end of the text). Bytes not reached stay zero.
std::vector<unsigned char> Base64Decode(const char* text, int size);
