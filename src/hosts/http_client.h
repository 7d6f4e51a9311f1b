#pragma once

#include "platform/host.h"

namespace sb {

// Sends a form-encoded POST with libcurl and waits for the reply.
HttpResponse PostForm(const HttpRequest& request);

}  // namespace sb
