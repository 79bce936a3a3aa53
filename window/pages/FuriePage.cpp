#include "window/Form.h"

void TForma::CreateFuriePage() {
}
