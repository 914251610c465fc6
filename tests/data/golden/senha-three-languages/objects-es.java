// La creación de los Objetos
private JLabel JLabel1 = new JLabel("Senha:");
private JPasswordField JPasswordField1 = new JPasswordField("");

// Crea la Ventana
this.getContentPane().setLayout(null);
this.setSize(336, 230);
this.setTitle("Cadastro");
this.setResizable(false);

// Crea los Mandos en la Ventana
JLabel1.setBounds(new Rectangle(16, 24, 57, 13));
this.getContentPane().add(JLabel1, null);
JPasswordField1.setToolTipText("Digite a senha");
JPasswordField1.setBounds(new Rectangle(80, 20, 100, 21));
this.getContentPane().add(JPasswordField1, null);
JPasswordField1.addFocusListener (new FocusAdapter() {
  public void focusLost(FocusEvent e) {
    // Llame al Procedimiento
}});
