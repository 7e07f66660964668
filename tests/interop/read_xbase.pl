#!/usr/bin/perl
# Reads a table and its .ntx tags with the independent Perl XBase module and prints what
# it sees, one tab-separated line each, for the interop tests to compare:
#   F <name> <type> <length> <decimals>       every field descriptor
#   R <recno> <deleted 0|1> <value>...          every record, values in field order
#   T <file> <key length> <max items> <key expression>
#   K <recno> <key>                             every entry of that tag, in walk order
# Values: characters with trailing blanks removed, numbers with the field's decimals,
# dates as yyyymmdd, logicals as T, F or ?; an empty numeric or date field prints empty.
# Usage: read_xbase.pl TABLE.dbf [TAG.ntx ...]
use strict;
use warnings;
use XBase;
use XBase::Index;

binmode STDOUT;
my ($dbfPath, @tagPaths) = @ARGV;
die "usage: $0 TABLE.dbf [TAG.ntx ...]\n" unless defined $dbfPath;

my $table = XBase->new(name => $dbfPath) or die "XBase cannot open $dbfPath: " . XBase->errstr;
my @names = $table->field_names;
my @types = $table->field_types;
my @lengths = $table->field_lengths;
my @decimals = $table->field_decimals;
for my $i (0 .. $#names) {
  print join("\t", 'F', $names[$i], $types[$i], $lengths[$i], $decimals[$i] // 0), "\n";
}

sub canonical {
  my ($type, $decimals, $value) = @_;
  if ($type eq 'C') {
    $value //= '';
    $value =~ s/ +$//;
    return $value;
  }
  if ($type eq 'L') {
    return '?' unless defined $value;
    return $value ? 'T' : 'F';
  }
  return '' unless defined $value;
  return sprintf('%.*f', $decimals, $value) if $type eq 'N' || $type eq 'F';
  return $value;
}

for my $n (0 .. $table->last_record) {
  my ($deleted, @values) = $table->get_record($n);
  die "XBase cannot read record " . ($n + 1) . ": " . $table->errstr unless defined $deleted;
  my @shown = map { canonical($types[$_], $decimals[$_] // 0, $values[$_]) } 0 .. $#values;
  print join("\t", 'R', $n + 1, $deleted ? 1 : 0, @shown), "\n";
}

# The key expressions are compound, which XBase cannot map to one field's type, so the
# keys are declared as character keys; that is what an .ntx key is on disk.
for my $path (@tagPaths) {
  my $index = XBase::Index->new($path, type => 'C')
    or die "XBase::Index cannot open $path: " . XBase::Index->errstr;
  print join("\t", 'T', $path, $index->{key_length}, $index->{max_item}, $index->{key_string}),
    "\n";
  $index->prepare_select or die "XBase::Index cannot walk $path: " . $index->errstr;
  while (my ($key, $recno) = $index->fetch) {
    print join("\t", 'K', $recno, $key), "\n";
  }
  die "XBase::Index failed in $path: " . $index->errstr if $index->errstr;
}
