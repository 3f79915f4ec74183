// The publisher's key that an update must be signed with before it is
// installed: a key line of components/net/signed_update.h, or empty for a
// build that installs updates unsigned, as they come from the server.
#pragma once

extern const char* const kUpdateKey;
