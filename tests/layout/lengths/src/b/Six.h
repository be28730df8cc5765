// line 1
// line 2
// line 3
// line 4
// line 5
// line 6
