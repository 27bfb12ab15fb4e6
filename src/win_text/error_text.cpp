#include "win_text/error_text.h"

#include <new>

#include "win_text/window_texts.h"

namespace marrowpin::win_text {

std::string ErrorMessage(std::exception_ptr error) {
  try {
    std::rethrow_exception(error);
  } catch (const std::bad_alloc&) {
    return kConversionTexts.out_of_memory;
  } catch (const std::exception& e) {
    return e.what();
  } catch (...) {
    return std::string();
  }
}

std::string ErrorBoxText(std::string_view message) {
  std::string text(message);
  if (!text.empty() && static_cast<unsigned char>(text.back()) > '.') {
    text.push_back('.');
  }
  return text;
}

}  // namespace marrowpin::win_text
