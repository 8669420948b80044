#pragma once

#include <cstdlib>
#include <memory>

namespace App {

// xcb hands out replies, errors and lists allocated with malloc; the caller frees them.
struct XcbFree
{
    void operator()(void* memory) const { std::free(memory); }
};

// A reply, error or list from xcb, freed when it goes out of scope.
template <typename T> using XcbReply = std::unique_ptr<T, XcbFree>;

} // namespace App
