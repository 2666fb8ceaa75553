// The names the LV2 plug-in and its UI are known by.
#pragma once

constexpr const char* kTundraxURI = "urn:orvalline:tundrax";
constexpr const char* kTundraxUIURI = "urn:orvalline:tundrax#ui";
