// La creación de los Objetos
private JLabel JLabel1 = new JLabel("He said \"\\u000a\"");
private JTextField JTextField1 = new JTextField("C:\\dir\\file.txt");
private JButton JButton1 = new JButton("\"");
private JPasswordField JPasswordField1 = new JPasswordField("\\\\\"\\\"");

// Crea la Ventana
this.getContentPane().setLayout(null);
this.setSize(400, 300);
this.setTitle("Say \"hi\" \\ C:\\temp\\new\tTab");
this.setResizable(true);

// Crea los Mandos en la Ventana
JLabel1.setToolTipText("tab\there \"q\" \\");
JLabel1.setBounds(new Rectangle(10, 10, 200, 13));
this.getContentPane().add(JLabel1, null);
JTextField1.setBounds(new Rectangle(10, 30, 200, 21));
this.getContentPane().add(JTextField1, null);
JTextField1.addActionListener (new ActionListener() {
  public void actionPerformed(ActionEvent e) {
    // Llame al Procedimiento
}});
JButton1.setToolTipText("\\");
JButton1.setBounds(new Rectangle(10, 60, 100, 30));
this.getContentPane().add(JButton1, null);
JButton1.addMouseListener (new MouseAdapter() {
  public void mouseClicked(MouseEvent e) {
    // Llame al Procedimiento
}});
JPasswordField1.setToolTipText("a:b:c");
JPasswordField1.setBounds(new Rectangle(10, 100, 100, 21));
this.getContentPane().add(JPasswordField1, null);
