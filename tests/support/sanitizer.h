// Whether this build runs under the address sanitizer, whose allocator replaces the C
// library's heap: memory figures of such a build say nothing about the product.
#pragma once

#if defined(__SANITIZE_ADDRESS__)
#define ZRV_ADDRESS_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define ZRV_ADDRESS_SANITIZER 1
#endif
#endif
