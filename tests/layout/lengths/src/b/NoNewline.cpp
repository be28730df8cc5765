// one
// two