// One HTTP(S) GET.
#pragma once
#include <string>
#include <string_view>

// The response body as bytes (any status); empty when nothing could be fetched.
// Connect, send and receive are bounded in time, and the body in size (1 MiB; a
// longer body is cut there and still returned).
std::string HttpGetBytes(std::string_view url);
