// Exceptions raised by the control layer and by components built on it.
// Header-only and free of Qt so that plain C++ code may derive from Exception.
#pragma once

#include <stdexcept>
#include <string>

// Base of every error the layer and its components raise; carries a message text.
class Exception : public std::runtime_error {
 public:
  explicit Exception(const std::string& message) : std::runtime_error(message) {}
  std::string Message() const { return what(); }
};

// Index outside a string list ("List index out of bounds (%d)").
class EStringListError : public Exception {
 public:
  using Exception::Exception;
};

// Index outside a list or image list ("List index out of bounds (%d)").
class EListError : public Exception {
 public:
  using Exception::Exception;
};

// A resource (window, image) could not be obtained.
class EOutOfResources : public Exception {
 public:
  using Exception::Exception;
};

// Invalid image, bitmap or image-list operation.
class EInvalidGraphic : public Exception {
 public:
  using Exception::Exception;
};

// Invalid grid operation or argument.
class EInvalidGridOperation : public Exception {
 public:
  using Exception::Exception;
};

// A text that does not convert to the value asked for ("'%s' is not a valid
// integer value").
class EConvertError : public Exception {
 public:
  using Exception::Exception;
};
