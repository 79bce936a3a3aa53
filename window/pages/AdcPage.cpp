#include "window/Form.h"

void TForma::CreateAdcPage() {
}
