// Linked with every object of Quorva's libraries; see CMakeLists.txt.
int main() {
  return 0;
}
